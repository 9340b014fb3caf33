"""Levels of the hard run."""

DESIGNS = {}
