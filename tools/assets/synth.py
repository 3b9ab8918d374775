"""Sound building blocks over lists of floats in -1..1: filters, a formant voice, a small room,
resampling, and the step to 8-bit unsigned samples."""

import math

from prng import Rng


def silence(count):
    return [0.0] * count


def add(target, source, start=0, gain=1.0):
    for i, v in enumerate(source):
        j = start + i
        if 0 <= j < len(target):
            target[j] += v * gain


def noise(count, rng):
    return [rng.random() * 2.0 - 1.0 for _ in range(count)]


class Biquad:
    """The usual second-order sections (band pass has a peak gain of one)."""

    def __init__(self, kind, freq, rate, q=0.707):
        w = 2 * math.pi * freq / rate
        cos, alpha = math.cos(w), math.sin(w) / (2 * q)
        if kind == "low":
            b = [(1 - cos) / 2, 1 - cos, (1 - cos) / 2]
        elif kind == "high":
            b = [(1 + cos) / 2, -(1 + cos), (1 + cos) / 2]
        elif kind == "band":
            b = [alpha, 0.0, -alpha]
        else:
            raise ValueError(kind)
        a0 = 1 + alpha
        self.b = [v / a0 for v in b]
        self.a = [-2 * cos / a0, (1 - alpha) / a0]

    def run(self, samples):
        b0, b1, b2 = self.b
        a1, a2 = self.a
        x1 = x2 = y1 = y2 = 0.0
        out = []
        for x in samples:
            y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
            x2, x1, y2, y1 = x1, x, y1, y
            out.append(y)
        return out


def filtered(samples, kind, freq, rate, q=0.707):
    return Biquad(kind, freq, rate, q).run(samples)


def envelope(count, rate, points):
    """Piecewise-linear gain through (time in seconds, gain) points."""
    out = []
    k = 0
    for i in range(count):
        t = i / float(rate)
        while k + 1 < len(points) - 1 and t > points[k + 1][0]:
            k += 1
        (t0, g0), (t1, g1) = points[k], points[min(k + 1, len(points) - 1)]
        if t <= t0:
            out.append(g0)
        elif t >= t1:
            out.append(g1)
        else:
            out.append(g0 + (g1 - g0) * (t - t0) / (t1 - t0))
    return out


def multiply(a, b):
    return [x * y for x, y in zip(a, b)]


def _glottal(phase, open_quotient=0.6):
    """Rosenberg's glottal pulse: opening, closing, then shut."""
    rise = open_quotient * 0.66
    if phase < rise:
        return 0.5 * (1 - math.cos(math.pi * phase / rise))
    if phase < open_quotient:
        return math.cos(0.5 * math.pi * (phase - rise) / (open_quotient - rise))
    return 0.0


def voice(count, rate, pitch, formants, loudness, breath, seed, jitter=0.01, roughness=0.0):
    """A formant voice. pitch, loudness and breath are functions of time in seconds; formants
    is a function of time giving [(frequency, bandwidth)]. roughness alternates the strength of
    successive pulses, as a strained voice does."""
    rng = Rng(seed)
    out = []
    phase, pulse_gain, last, odd = 0.0, 1.0, 0.0, False
    wobble, wobble_target = 0.0, 0.0
    states, coefs = [], []
    block = 32
    for i in range(count):
        t = i / float(rate)
        if i % block == 0:
            coefs = []
            for freq, bw in formants(t):
                freq = min(freq, rate * 0.45)
                c = -math.exp(-2 * math.pi * bw / rate)
                b = 2 * math.exp(-math.pi * bw / rate) * math.cos(2 * math.pi * freq / rate)
                coefs.append((1 - b - c, b, c))
            while len(states) < len(coefs):
                states.append([0.0, 0.0])
            wobble_target = rng.gauss() * jitter
            f0, amp, air = pitch(t), loudness(t), breath(t)
        wobble += (wobble_target - wobble) * 0.02
        phase += f0 * (1 + wobble) / rate
        if phase >= 1.0:
            phase -= 1.0
            odd = not odd
            pulse_gain = 1.0 - roughness * rng.random() if odd else 1.0
        g = _glottal(phase) * pulse_gain
        source = (g - last) * 6.0
        last = g
        source += (rng.random() * 2 - 1) * air * (0.35 + g)
        x = source
        for (a, b, c), state in zip(coefs, states):
            y = a * x + b * state[0] + c * state[1]
            state[1], state[0] = state[0], y
            x = y
        out.append(x * amp)
    return out


def normalize(samples, peak):
    top = max(abs(v) for v in samples) or 1.0
    return [v * peak / top for v in samples]


def soft_clip(samples, drive):
    norm = math.tanh(drive)
    return [math.tanh(v * drive) / norm for v in samples]


def remove_dc(samples, rate, corner=25.0):
    pole = math.exp(-2 * math.pi * corner / rate)
    out, x1, y1 = [], 0.0, 0.0
    for x in samples:
        y = x - x1 + pole * y1
        x1, y1 = x, y
        out.append(y)
    return out


def room(samples, rate, size=1.0, wet=0.25, seed=1):
    """A small Schroeder room: four combs in parallel, two all-passes in series."""
    delays = [int(rate * d * size) for d in (0.0297, 0.0371, 0.0411, 0.0437)]
    feedback = 0.72
    tail = [0.0] * len(samples)
    for d in delays:
        buf = [0.0] * d
        k = 0
        for i, x in enumerate(samples):
            y = buf[k]
            buf[k] = x + y * feedback
            k = (k + 1) % d
            tail[i] += y * 0.25
    for d, g in ((int(rate * 0.005), 0.7), (int(rate * 0.0017), 0.7)):
        buf = [0.0] * d
        k = 0
        for i, x in enumerate(tail):
            y = buf[k]
            buf[k] = x + y * g
            tail[i] = y - g * buf[k]
            k = (k + 1) % d
    return [x * (1 - wet) + y * wet for x, y in zip(samples, tail)]


def resample(samples, rate_in, rate_out, taps=24):
    """Windowed-sinc resampling; the cut-off follows the lower of the two rates."""
    ratio = rate_in / float(rate_out)
    cutoff = min(1.0, 1.0 / ratio) * 0.92
    half = int(taps / min(1.0, cutoff))
    out = []
    count = int(len(samples) / ratio)
    for n in range(count):
        centre = n * ratio
        k0 = int(math.floor(centre)) - half + 1
        total = 0.0
        for k in range(max(0, k0), min(len(samples), k0 + 2 * half)):
            x = (centre - k) * cutoff
            window = 0.5 + 0.5 * math.cos(math.pi * (centre - k) / half)
            sinc = 1.0 if x == 0 else math.sin(math.pi * x) / (math.pi * x)
            total += samples[k] * sinc * window * cutoff
        out.append(total)
    return out


def fit(samples, count, fade=0.0, rate=1):
    """Cuts or pads to exactly count samples, fading the last seconds to silence."""
    out = (samples + [0.0] * count)[:count]
    n = int(fade * rate)
    for i in range(max(0, count - n), count):
        out[i] *= (count - i) / float(n)
    return out


def to_unsigned8(samples, seed):
    """8-bit samples around 128, with a little dither where there is sound to hide the steps
    and none in the quiet, which stays exactly 128."""
    rng = Rng(seed)
    out = []
    level = 0.0
    for v in samples:
        level = max(abs(v), level * 0.9997)
        d = (rng.random() - rng.random()) * min(1.0, level * 60.0)
        q = int(math.floor(128.0 + v * 127.0 + d + 0.5))
        out.append(min(255, max(0, q)))
    return out
