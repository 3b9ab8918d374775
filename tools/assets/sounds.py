"""The seven sounds. The spoken ones are read by espeak-ng and shaped here; the rest are made
from a formant voice, filtered noise and little resonant bubbles."""

import math
import os
import shutil
import subprocess
import tempfile
import wave

import synth
from prng import Rng, value_noise


class MissingTool(RuntimeError):
    pass


def speak(text, args):
    """espeak-ng's reading of text, as floats at its own rate (22050 Hz)."""
    if shutil.which("espeak-ng") is None:
        raise MissingTool("espeak-ng is needed for the spoken sounds")
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "speech.wav")
        subprocess.run(["espeak-ng", *args, "-w", path, text], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with wave.open(path, "rb") as f:
            rate, frames = f.getframerate(), f.readframes(f.getnframes())
            assert f.getsampwidth() == 2 and f.getnchannels() == 1
    values = [int.from_bytes(frames[i:i + 2], "little", signed=True) / 32768.0
              for i in range(0, len(frames), 2)]
    return values, rate


def trim(samples, threshold=0.01):
    loud = [i for i, v in enumerate(samples) if abs(v) > threshold]
    return samples[loud[0]:loud[-1] + 1] if loud else samples


def finish(samples, rate, count, peak, seed, lead=0.0, fade=0.02):
    # Two milliseconds of fade-in: even a hit should not start with a click.
    ramp = int(0.002 * rate)
    samples = [v * min(1.0, i / float(ramp)) for i, v in enumerate(samples)]
    start = int(lead * rate)
    body = synth.remove_dc([0.0] * start + samples, rate)
    body = synth.fit(body, count, fade, rate)
    return synth.to_unsigned8(synth.normalize(body, peak), seed), rate


def giggle():
    rate, count = 22254, 22254
    # "hee-hee-hee-hi-hi": a puff of breath, a short voiced 'ee', a catch; each one a little
    # lower and softer than the one before.
    syllables = [(0.03 + k * 0.125, 600 - k * 26, 1.0 - k * 0.1) for k in range(7)]
    breath_part, voiced_part = 0.028, 0.07

    def find(t):
        for start, f0, gain in reversed(syllables):
            if t >= start:
                return t - start, f0, gain
        return -1.0, syllables[0][1], 0.0

    def pitch(t):
        local, f0, _ = find(t)
        return f0 * (1.06 - 1.6 * max(0.0, local - breath_part))

    def loudness(t):
        local, _, gain = find(t)
        if local < 0 or local > breath_part + voiced_part:
            return 0.0
        if local < breath_part:
            return gain * 0.5 * local / breath_part
        u = (local - breath_part) / voiced_part
        return gain * (0.5 + 0.5 * math.sin(math.pi * min(1.0, u * 1.6))) * (1 - u) ** 0.5

    def breath(t):
        local, _, _ = find(t)
        return 1.6 if local < breath_part else 0.25

    def formants(t):
        local, _, _ = find(t)
        opening = min(1.0, max(0.0, (local - breath_part) / 0.05))
        return [(360 + 90 * opening, 90), (2400 - 200 * opening, 140), (3050, 200),
                (3800, 300), (4800, 400)]

    samples = synth.voice(count, rate, pitch, formants, loudness, breath, seed=5, jitter=0.02)
    samples = synth.filtered(samples, "low", 6500, rate)
    samples = synth.room(samples, rate, size=0.5, wet=0.12)
    return finish(samples, rate, count, 0.55, seed=1, fade=0.1)


def cookin():
    rate, count = 11025, 22050
    voice = ["-v", "en-us", "-p", "64", "-s", "150"]
    ooh, source_rate = speak("Ooh!", voice)
    words, _ = speak("Now we're cookin'!", voice)
    # A short breath between the two, not the reader's full stop.
    speech = trim(ooh) + [0.0] * int(0.16 * source_rate) + trim(words)
    speech = synth.resample(speech, source_rate, rate)
    assert len(speech) < count - rate // 10, "the words no longer fit"
    return finish(speech, rate, count, 0.9, seed=2, lead=0.05)


def ahhh():
    rate, count = 11025, 18860
    length = count / float(rate)

    def pitch(t):
        # Shoots up, wavers while he screams, then sinks away.
        rise = min(1.0, t / 0.16)
        base = 340 + 260 * rise - 80 * max(0.0, t - 0.3) / (length - 0.3)
        fall = max(0.0, t - length + 0.5) / 0.5
        return (base - 260 * fall * fall) * (1 + 0.035 * math.sin(2 * math.pi * 5.5 * t))

    def loudness(t):
        attack = min(1.0, t / 0.05)
        release = min(1.0, max(0.0, (length - t) / 0.5))
        return attack * (0.6 + 0.4 * release) * release ** 0.5

    def formants(t):
        closing = max(0.0, t - length + 0.5) / 0.5
        return [(820 - 160 * closing, 110), (1250 - 150 * closing, 130), (2600, 200),
                (3400, 280), (4300, 400)]

    samples = synth.voice(count, rate, pitch, formants, loudness,
                          lambda t: 0.12 + 0.2 * max(0.0, t - length + 0.4), seed=7,
                          jitter=0.025, roughness=0.35)
    samples = synth.room(samples, rate, size=0.8, wet=0.18)
    return finish(samples, rate, count, 0.88, seed=3, lead=0.01, fade=0.05)


def bubble(rate, freq, decay, gain, rise=0.6):
    """A bubble ringing as it closes: a fading tone that slides upward."""
    out, phase = [], 0.0
    for i in range(int(decay * 5 * rate)):
        t = i / float(rate)
        phase += 2 * math.pi * freq * (1 + rise * t / decay * 0.25) / rate
        out.append(math.sin(phase) * math.exp(-t / decay) * gain)
    return out


def splash():
    rate, count = 11025, 21433
    rng = Rng(21)
    out = synth.silence(count)
    # The hit: a burst of broadband water noise and a dull thud under it.
    hit = synth.filtered(synth.noise(int(0.5 * rate), rng), "low", 3200, rate)
    hit = synth.filtered(hit, "high", 180, rate)
    hit = synth.multiply(hit, [math.exp(-i / (0.09 * rate)) for i in range(len(hit))])
    synth.add(out, hit, int(0.01 * rate), 0.9)
    thud = [math.sin(2 * math.pi * (95 - 40 * i / rate) * i / rate) * math.exp(-i / (0.07 * rate))
            for i in range(int(0.4 * rate))]
    synth.add(out, thud, int(0.01 * rate), 0.6)
    # Churning water settling down.
    churn = synth.filtered(synth.noise(count, rng), "band", 900, rate, q=0.7)
    wobble = [0.25 + 0.75 * value_noise(8, i * 6.0 / rate, 0.5) ** 2 for i in range(count)]
    fade = [math.exp(-i / (0.55 * rate)) * min(1.0, i / (0.05 * rate)) for i in range(count)]
    synth.add(out, synth.multiply(churn, synth.multiply(wobble, fade)), 0, 1.4)
    # Bubbles and drops falling back, fewer as it calms.
    t = 0.03
    while t < 1.6:
        freq = rng.uniform(350, 1500) if t < 0.5 else rng.uniform(800, 2600)
        gain = 0.35 * math.exp(-t / 0.7) * rng.uniform(0.4, 1.0)
        synth.add(out, bubble(rate, freq, rng.uniform(0.008, 0.03), gain), int(t * rate))
        t += rng.uniform(0.005, 0.03) + t * 0.05
    out = synth.room(out, rate, size=0.7, wet=0.2)
    return finish(out, rate, count, 0.85, seed=4, fade=0.3)


def perfect():
    rate, count = 22255, 16730
    speech, source_rate = speak("Perfect!", ["-v", "en-us+m3", "-a", "200", "-p", "72", "-s", "185"])
    speech = synth.resample(trim(speech), source_rate, rate)
    assert len(speech) < count - rate // 20, "the word no longer fits"
    # Pushed hard: a shout, not a remark.
    speech = synth.soft_clip(synth.normalize(speech, 1.0), 2.2)
    speech = synth.room(speech, rate, size=0.4, wet=0.1)
    return finish(speech, rate, count, 0.97, seed=5, lead=0.02)


def splat():
    rate, count = 11025, 5512
    rng = Rng(33)
    out = synth.silence(count)
    thump = [math.sin(2 * math.pi * (120 * math.exp(-i / (0.05 * rate)) + 45) * i / rate)
             * math.exp(-i / (0.06 * rate)) for i in range(int(0.35 * rate))]
    synth.add(out, thump, 0, 0.5)
    # The squelch: noise through a resonance that sinks as the mess spreads.
    raw = synth.noise(int(0.3 * rate), rng)
    squelch, a, b = [], [0.0, 0.0], None
    for i, x in enumerate(raw):
        t = i / float(rate)
        freq = 300 + 1700 * math.exp(-t / 0.04)
        bw = 260.0
        c = -math.exp(-2 * math.pi * bw / rate)
        b = 2 * math.exp(-math.pi * bw / rate) * math.cos(2 * math.pi * freq / rate)
        y = (1 - b - c) * x * 0.3 + b * a[0] + c * a[1]
        a[1], a[0] = a[0], y
        squelch.append(y * math.exp(-t / 0.1))
    synth.add(out, synth.normalize(squelch, 1.0), int(0.004 * rate), 1.0)
    for k in range(7):
        start = rng.uniform(0.06, 0.32)
        synth.add(out, bubble(rate, rng.uniform(500, 1400), rng.uniform(0.006, 0.015),
                              0.25 * (1 - start)), int(start * rate))
    return finish(out, rate, count, 0.9, seed=6, fade=0.08)


def audience():
    rate, count = 22050, 118646
    length = count / float(rate)
    rng = Rng(55)
    out = synth.silence(count)
    claps = synth.silence(count)
    # Forty pairs of hands, each at its own pace, joining in and stopping at their own time.
    for person in range(40):
        centre = rng.uniform(900, 2400)
        shapes = []
        for _ in range(3):
            burst = synth.noise(int(0.03 * rate), rng)
            burst = [v * math.exp(-i / (rng.uniform(0.004, 0.008) * rate)) for i, v in enumerate(burst)]
            burst = synth.filtered(burst, "band", centre * rng.uniform(0.9, 1.1), rate, q=2.5)
            shapes.append(burst)
        t = rng.uniform(0.0, 1.2) ** 1.5
        stop = rng.uniform(3.4, 5.0)
        period = 1.0 / rng.uniform(3.6, 5.4)
        loud = rng.uniform(0.5, 1.0)
        while t < stop:
            synth.add(claps, rng.choice(shapes), int(t * rate), loud * rng.uniform(0.7, 1.0))
            t += period * rng.uniform(0.9, 1.1)
    synth.add(out, synth.normalize(claps, 1.0), 0, 0.8)
    # The crowd's roar under it all.
    roar = synth.filtered(synth.noise(count, rng), "band", 700, rate, q=0.6)
    roar = synth.filtered(roar, "low", 3000, rate)
    flutter = [0.7 + 0.3 * math.sin(2 * math.pi * 3.7 * i / rate + 2 * math.sin(i / 5000.0))
               for i in range(count)]
    synth.add(out, synth.normalize(synth.multiply(roar, flutter), 1.0), 0, 0.35)
    # Voices cheering: whoops and yeahs scattered through the loudest part.
    for k in range(16):
        start = rng.uniform(0.3, 3.4)
        dur = rng.uniform(0.4, 1.1)
        f0 = rng.uniform(170, 420)
        whoop = rng.chance(0.5)
        cheer = _cheer(rate, dur, f0, whoop, 200 + k)
        synth.add(out, cheer, int(start * rate), rng.uniform(0.12, 0.22))
    # Swells, holds, and dies away.
    swell = synth.envelope(count, rate, [(0.0, 0.0), (0.25, 0.45), (1.2, 1.0), (2.9, 1.0),
                                         (4.4, 0.35), (length, 0.0)])
    out = synth.multiply(out, swell)
    out = synth.room(out, rate, size=1.3, wet=0.22)
    # A touch of compression, so single loud cheers do not set the level of the whole crowd.
    out = synth.soft_clip(synth.normalize(out, 1.0), 1.6)
    return finish(out, rate, count, 0.85, seed=7, fade=0.15)


def _cheer(rate, duration, f0, whoop, seed):
    count = int(duration * rate)

    def pitch(t):
        u = t / duration
        if whoop:
            return f0 * (1.0 + 0.5 * math.sin(math.pi * min(1.0, u * 1.4)))
        return f0 * (1.15 - 0.3 * u)

    def formants(t):
        u = t / duration
        if whoop:
            return [(320 + 150 * u, 90), (850 + 300 * u, 120), (2300, 200), (3300, 300)]
        return [(420 + 360 * min(1.0, u * 2), 100), (2100 - 850 * min(1.0, u * 2), 130),
                (2650, 200), (3500, 300)]

    def loudness(t):
        u = t / duration
        return min(1.0, u / 0.1) * min(1.0, (1 - u) / 0.35)

    return synth.voice(count, rate, pitch, formants, loudness, lambda t: 0.3, seed, jitter=0.03)


MAKERS = [("giggle", giggle), ("cookin", cookin), ("ahhh", ahhh), ("splash", splash),
          ("perfect", perfect), ("splat", splat), ("audience", audience)]
