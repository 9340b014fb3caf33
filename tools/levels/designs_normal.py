"""Levels of the normal run."""

DESIGNS = {}
