"""16-bit PCM WAV files to and from numpy arrays of floats in [-1, 1]."""

import wave

import numpy as np


def read_wav(path):
    """Returns (samples as float frames x channels, sample rate)."""
    with wave.open(str(path), "rb") as f:
        if f.getsampwidth() != 2:
            raise ValueError(f"{path}: not 16-bit PCM")
        rate = f.getframerate()
        channels = f.getnchannels()
        data = np.frombuffer(f.readframes(f.getnframes()), dtype="<i2")
    return data.reshape(-1, channels).astype(np.float64) / 32768.0, rate


def write_wav(path, samples, rate):
    """samples: float array, frames or frames x channels, clipped to [-1, 1]."""
    samples = np.asarray(samples, dtype=np.float64)
    if samples.ndim == 1:
        samples = samples[:, None]
    pcm = np.clip(np.round(samples * 32767.0), -32768, 32767).astype("<i2")
    with wave.open(str(path), "wb") as f:
        f.setnchannels(samples.shape[1])
        f.setsampwidth(2)
        f.setframerate(rate)
        f.writeframes(pcm.tobytes())
