"""Deterministic randomness for the generator: a seeded generator and smooth value noise.

Our own, rather than the random module, so the bytes never change with the Python version.
"""

import math

MASK64 = (1 << 64) - 1


def mix64(z):
    z = (z + 0x9E3779B97F4A7C15) & MASK64
    z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASK64
    z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASK64
    return z ^ (z >> 31)


def hash_ints(*values):
    h = 0x1234567
    for v in values:
        h = mix64(h ^ (v & MASK64))
    return h


class Rng:
    """Splitmix64 stream."""

    def __init__(self, seed):
        self.state = mix64(seed & MASK64)

    def next64(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & MASK64
        return mix64(self.state)

    def random(self):
        return (self.next64() >> 11) / float(1 << 53)

    def uniform(self, a, b):
        return a + (b - a) * self.random()

    def randint(self, a, b):
        return a + self.next64() % (b - a + 1)

    def chance(self, p):
        return self.random() < p

    def gauss(self):
        u = max(self.random(), 1e-12)
        return math.sqrt(-2.0 * math.log(u)) * math.cos(2.0 * math.pi * self.random())

    def choice(self, items):
        return items[self.next64() % len(items)]


def lattice(seed, ix, iy):
    return (hash_ints(seed, ix, iy) >> 11) / float(1 << 53)


def value_noise(seed, x, y):
    """Smooth noise in [0, 1) on a unit lattice."""
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = x - ix, y - iy
    sx = fx * fx * (3 - 2 * fx)
    sy = fy * fy * (3 - 2 * fy)
    a = lattice(seed, ix, iy)
    b = lattice(seed, ix + 1, iy)
    c = lattice(seed, ix, iy + 1)
    d = lattice(seed, ix + 1, iy + 1)
    top = a + (b - a) * sx
    bottom = c + (d - c) * sx
    return top + (bottom - top) * sy


def fbm(seed, x, y, octaves=4, gain=0.5):
    """Fractal noise, roughly in [0, 1)."""
    total, amplitude, norm = 0.0, 1.0, 0.0
    for octave in range(octaves):
        total += amplitude * value_noise(seed + octave * 101, x, y)
        norm += amplitude
        amplitude *= gain
        x, y = x * 2.03, y * 2.03
    return total / norm
