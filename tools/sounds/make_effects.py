"""Synthesises the game's four sound effects from noise and sine waves.

    /usr/bin/python3 make_effects.py OUT_FOLDER

Writes shipexplosion.wav, cannonaltered1.wav, coin2.wav and bookturn.wav,
mono at 22050 Hz. A fixed random seed makes every run identical.
"""

import os
import sys

import numpy as np

from wavio import write_wav

RATE = 22050


def times(seconds):
    return np.arange(int(seconds * RATE)) / RATE


def one_pole_lowpass(x, cutoff_hz):
    """Cutoff may be a number or an array (a sweeping filter)."""
    cutoff = np.broadcast_to(np.asarray(cutoff_hz, dtype=float), x.shape)
    a = 1.0 - np.exp(-2.0 * np.pi * cutoff / RATE)
    y = np.empty_like(x)
    state = 0.0
    for i in range(len(x)):
        state += a[i] * (x[i] - state)
        y[i] = state
    return y


def band(x, low_hz, high_hz):
    return one_pole_lowpass(x, high_hz) - one_pole_lowpass(x, low_hz)


def fade_edges(x, in_s=0.002, out_s=0.02):
    """Short fades so no effect starts or stops on a jump."""
    n_in, n_out = int(in_s * RATE), int(out_s * RATE)
    x = x.copy()
    x[:n_in] *= np.linspace(0, 1, n_in)
    x[-n_out:] *= np.linspace(1, 0, n_out)
    return x


def normalise(x, peak=0.9):
    return x * (peak / np.abs(x).max())


def sweep(start_hz, end_hz, t, curve):
    """A sine whose pitch glides from start to end with exp(-t/curve)."""
    freq = end_hz + (start_hz - end_hz) * np.exp(-t / curve)
    return np.sin(2 * np.pi * np.cumsum(freq) / RATE)


def ship_explosion(rng):
    t = times(2.2)
    noise = rng.standard_normal(len(t))
    # A rumble whose brightness falls as it dies away, a low boom under it,
    # and a scatter of crackles from burning timber.
    rumble = one_pole_lowpass(noise, 200 + 3000 * np.exp(-t / 0.25)) * np.exp(-t / 0.6)
    boom = sweep(90, 28, t, 0.3) * np.exp(-t / 0.45)
    crackle = np.zeros_like(t)
    for start in rng.uniform(0.1, 1.6, 40):
        i = int(start * RATE)
        n = int(0.012 * RATE)
        crackle[i:i + n] += rng.standard_normal(n) * np.exp(-np.arange(n) / (0.003 * RATE)) * rng.uniform(0.2, 0.6)
    crackle = band(crackle, 800, 5000) * np.exp(-t / 0.9)
    return fade_edges(normalise(1.0 * rumble / np.abs(rumble).max() + 0.8 * boom + 0.5 * crackle), out_s=0.2)


def cannon(rng):
    t = times(1.1)
    noise = rng.standard_normal(len(t))
    blast = one_pole_lowpass(noise, 300 + 5000 * np.exp(-t / 0.03)) * np.exp(-t / 0.12)
    thump = sweep(150, 45, t, 0.06) * np.exp(-t / 0.18)
    echo = one_pole_lowpass(noise, 400) * np.exp(-t / 0.35) * 0.35
    mix = blast / np.abs(blast).max() + 0.9 * thump + echo / np.abs(echo).max() * 0.3
    return fade_edges(normalise(mix), in_s=0.0005, out_s=0.15)


def coin():
    t = times(0.7)
    # Two bell-like strikes, B5 then E6, each with a few inharmonic partials.
    out = np.zeros_like(t)
    for start, freq in ((0.0, 987.77), (0.08, 1318.51)):
        tt = np.clip(t - start, 0, None)
        on = t >= start
        for ratio, gain, decay in ((1.0, 1.0, 0.25), (2.76, 0.4, 0.09), (5.4, 0.2, 0.05)):
            out += on * gain * np.sin(2 * np.pi * freq * ratio * tt) * np.exp(-tt / decay)
    return fade_edges(normalise(out, 0.8), out_s=0.05)


def book_turn(rng):
    t = times(0.55)
    noise = rng.standard_normal(len(t))
    # Paper: a soft swish that swells as the page lifts, then a quick flap as
    # it lands.
    swell = np.sin(np.pi * np.clip(t / 0.38, 0, 1)) ** 2
    swish = band(noise, 1500, 6000) * swell * 0.5
    flap_t = np.clip(t - 0.38, 0, None)
    flap = band(noise, 300, 2500) * (t >= 0.38) * np.exp(-flap_t / 0.03)
    flutter = 1 + 0.5 * np.sin(2 * np.pi * 23 * t)
    return fade_edges(normalise(swish * flutter + flap, 0.7), out_s=0.05)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    rng = np.random.default_rng(20240611)
    effects = {
        "shipexplosion.wav": ship_explosion(rng),
        "cannonaltered1.wav": cannon(rng),
        "coin2.wav": coin(),
        "bookturn.wav": book_turn(rng),
    }
    for name, samples in effects.items():
        write_wav(os.path.join(out, name), samples, RATE)
        print(f"{name}: {len(samples) / RATE:.2f} s")


if __name__ == "__main__":
    main()
