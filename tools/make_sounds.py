#!/usr/bin/env python3
"""Makes the sample game's sounds and their sound list.

Short tones and noises, drawn sample by sample: the same files every run.
The music track is written as WAV and encoded to Ogg Vorbis with ffmpeg
(bit-exact settings, so the encoder adds nothing that changes per run).

    tools/make_sounds.py [output folder]   (default Game/DataLoc/Sounds)
"""
import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 22050


def write_wav(path, samples):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", max(-32767, min(32767, int(s * 32767)))) for s in samples))


def envelope(i, count, attack, release):
    t = i / RATE
    left = (count - i) / RATE
    return min(1.0, t / attack if attack > 0 else 1.0, left / release if release > 0 else 1.0)


def tone(freqs, seconds, volume, attack=0.005, release=0.05):
    count = int(seconds * RATE)
    return [volume * envelope(i, count, attack, release) *
            sum(math.sin(2 * math.pi * f * i / RATE) for f in freqs) / len(freqs) for i in range(count)]


def click():
    return tone([1800.0, 2600.0], 0.06, 0.6, attack=0.001, release=0.04)


def info():
    return tone([880.0], 0.15, 0.5) + tone([1320.0], 0.2, 0.5)


def rain(seconds=2.0):
    # Filtered noise from a fixed linear congruential generator; the loop
    # point is smoothed by cross-fading the ends.
    count = int(seconds * RATE)
    state = 12345
    raw = []
    smooth = 0.0
    for _ in range(count):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        smooth = 0.7 * smooth + 0.3 * ((state >> 8) / float(1 << 22) - 0.5)
        raw.append(smooth)
    fade = int(0.1 * RATE)
    for i in range(fade):
        w = i / fade
        raw[i] = raw[i] * w + raw[count - fade + i] * (1 - w)
    return [0.8 * s for s in raw[: count - fade]]


def melody():
    notes = [523.25, 659.25, 783.99, 659.25, 587.33, 698.46, 880.0, 698.46]
    out = []
    for n in notes:
        out += tone([n, n / 2], 0.5, 0.4, attack=0.02, release=0.15)
    return out


def hall_tune(notes):
    def make():
        out = []
        for n in notes:
            out += tone([n, n * 1.5], 0.4, 0.35, attack=0.02, release=0.12)
        return out
    return make
def arrival():
    """The intro cut-scene's sound: a slow rising chord under the keeper's steps."""
    out = []
    for n in (220.0, 261.63, 329.63, 392.0, 329.63, 293.66):
        out += tone([n, n * 1.5], 1.0, 0.3, attack=0.2, release=0.3)
    return out


def closing():
    """The closing music of the story."""
    notes = [392.0, 523.25, 659.25, 783.99, 659.25, 523.25, 587.33, 523.25]
    out = []
    for n in notes:
        out += tone([n, n / 2, n * 0.75], 0.75, 0.35, attack=0.05, release=0.3)
    return out



def crackle():
    """A broken lamp's electric crackle: a few short bursts of harsh noise."""
    state = 4242
    out = []
    for burst in (0.018, 0.01, 0.025, 0.012):
        count = int(burst * RATE)
        for i in range(count):
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            noise = (state >> 8) / float(1 << 22) - 0.5
            out.append(0.9 * noise * envelope(i, count, 0.001, 0.004))
        out += [0.0] * int(0.012 * RATE)
    return out


def thunder():
    """Thunder in the distance: low rumbling noise that swells and dies away."""
    count = int(2.5 * RATE)
    state = 777
    low = 0.0
    lower = 0.0
    out = []
    for i in range(count):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        low = 0.97 * low + 0.03 * ((state >> 8) / float(1 << 22) - 0.5)
        lower = 0.9 * lower + 0.1 * low
        t = i / RATE
        swell = min(1.0, t / 0.15) * math.exp(-1.4 * t)
        out.append(6.0 * lower * swell)
    return out

SOUNDS = [
    # name, file, type, loop, volume, samples
    ("I_Click", "I_Click.wav", 0, 0, 1.0, click),
    ("I_Info", "I_Info.wav", 0, 0, 0.8, info),
    ("AS_Dojd_s_grozoi", "AS_Rain.wav", 2, 1, 0.7, rain),
    ("Music_Menu", "Music_Menu.ogg", 1, 1, 0.8, melody),
    # Effects of the game panel and its windows share the two short sounds.
    ("Podskazka_gotova", "I_Info.wav", 2, 0, 0.8, info),
    ("Poyavlenie_podskazki", "I_Info.wav", 2, 0, 0.8, info),
    ("Poyavlenie_hinta", "I_Info.wav", 2, 0, 0.8, info),
    ("Popadanie_obekta_na_igrovuyu_panel", "I_Click.wav", 2, 0, 0.8, click),
    ("Vzyatie_obekta_s_igrovoi_paneli", "I_Click.wav", 2, 0, 0.8, click),
    ("Sbrasyvanie_obekta_na_igrovuyu_panel", "I_Click.wav", 2, 0, 0.8, click),
    ("Vzyatie_prizrachnogo_obekta", "I_Info.wav", 2, 0, 0.8, info),
    ("Otkrytie_dnevnika", "I_Click.wav", 2, 0, 0.8, click),
    ("Zakrytie_dnevnika", "I_Click.wav", 2, 0, 0.8, click),
    ("Otkrytie_okna", "I_Click.wav", 2, 0, 0.8, click),
    ("Poluchenie_obekta", "I_Info.wav", 2, 0, 0.8, info),
    ("Zakrytie_okna", "I_Click.wav", 2, 0, 0.8, click),
    # The hall's random music: two short tracks played once each, the
    # chapter choosing the next after a pause.
    ("Music_Hall_1", "Music_Hall_1.ogg", 1, 0, 0.7, hall_tune([392.0, 440.0, 493.88, 523.25, 493.88, 440.0])),
    ("Music_Hall_2", "Music_Hall_2.ogg", 1, 0, 0.7, hall_tune([329.63, 293.66, 261.63, 293.66, 329.63, 261.63])),
    # Walking through a portal: on to the next room, back to the last one.
    ("Perehod_na_sleduyuschii_bek", "I_Click.wav", 2, 0, 0.8, click),
    ("Perehod_na_predyduschii_bek", "I_Click.wav", 2, 0, 0.8, click),
    # The cut-scenes: the intro's sound and the closing music of the final one.
    ("Intro_sound", "Intro_sound.ogg", 0, 0, 0.8, arrival),
    ("track03", "track03.ogg", 1, 0, 0.8, closing),
    # The library's broken wall lamp crackles as it sparks; thunder follows
    # the lightning in its window.
    ("Lamp_crackle", "Lamp_crackle.wav", 2, 0, 0.6, crackle),
    ("Window_thunder", "Window_thunder.wav", 2, 0, 0.8, thunder),
    # The map: a place's name comes up under the pointer.
    ("Poyavlenie_vyplyvayuschego_hinta", "I_Info.wav", 2, 0, 0.8, info),
]

LIST_HEAD = """<?xml version="1.0" encoding="UTF-8"?>
<!-- Sound list of the sample game (made by tools/make_sounds.py). -->
<Sounds>
"""


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "Game", "DataLoc", "Sounds")
    os.makedirs(out_dir, exist_ok=True)
    lines = [LIST_HEAD]
    for name, file_name, kind, loop, volume, make in SOUNDS:
        target = os.path.join(out_dir, file_name)
        if file_name.endswith(".ogg"):
            with tempfile.TemporaryDirectory() as tmp:
                wav = os.path.join(tmp, "track.wav")
                write_wav(wav, make())
                subprocess.run(["ffmpeg", "-v", "error", "-y", "-i", wav, "-c:a", "libvorbis", "-q:a", "2",
                                "-fflags", "+bitexact", "-flags:a", "+bitexact", "-map_metadata", "-1", target],
                               check=True)
        else:
            write_wav(target, make())
        lines.append(f'  <Sound Name="{name}" File="{file_name}" Type="{kind}" Loop="{loop}" Volume="{volume}"/>\n')
    lines.append("</Sounds>\n")
    with open(os.path.join(out_dir, "Sounds.xml"), "w", encoding="utf-8") as f:
        f.write("".join(lines))


if __name__ == "__main__":
    main()
