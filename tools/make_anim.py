#!/usr/bin/env python3
"""Writes the sample game's key-frame animations: the exports (.xaf, root
MaxAnimation) of the library's chest lid, drawer and flag, the title
scene's lock and chains over the Extras button, and the binary
companion (.anim) of the drawer, baked from its export the way the game
reads companions: a 20-byte header, one 64-byte key per sample, then the
vertex flag; little-endian throughout.

    tools/make_anim.py            writes Game/Data/Animation/*.xaf and the companion
"""
import math
import os
import struct
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ANIMATION = os.path.join(ROOT, 'Game', 'Data', 'Animation')
RATE = 10
TICKS = 160


def sample(x, y, z, turn=0.0):
    """The twelve numbers of a node at scene (x, y, z), turned by `turn`
    radians about the viewing axis: rows right, direction, up, position,
    with the second and third components in the exporter's order."""
    s, c = math.sin(turn), math.cos(turn)
    rows = [(c, -s, 0.0), (s, c, 0.0), (0.0, 0.0, 1.0), (x, z, y)]
    return ' '.join('%g' % round(v, 5) for row in rows for v in row)


def export(node, samples, controllers=''):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<!-- Made by tools/make_anim.py -->',
             '<MaxAnimation>',
             '  <SceneInfo frameRate="%d" ticksPerFrame="%d"/>' % (RATE, TICKS),
             '  <Node name="%s" parentNode="Scene Root">' % node,
             '    <Samples count="%d">' % len(samples)]
    lines += ['      <S v="%s"/>' % s for s in samples]
    lines += ['    </Samples>']
    if controllers:
        lines += [controllers]
    lines += ['  </Node>', '</MaxAnimation>']
    return '\n'.join(lines) + '\n'


def keys(name, element, pairs, attributes=''):
    inner = ''.join('<%s t="%d" v="%s"/>' % (element, frame * TICKS, value) for frame, value in pairs)
    return '    <Controller name="%s" %s><Keys count="%d">%s</Keys></Controller>' % (
        name, attributes, len(pairs), inner)


def chest_lid():
    # Lifts 30 units and tips back a little in 1.5 s; fades slightly and its
    # band scrolls half a texture.
    n = 16
    samples = [sample(-380, 22, -270 + 30.0 * i / (n - 1), 0.25 * i / (n - 1)) for i in range(n)]
    tracks = '\n'.join([
        keys('ChestLid01 \\ Visibility', 'Key', [(0, '1'), (n - 1, '0.85')],
             'outOfRangeBefore="constant" outOfRangeAfter="constant"'),
        keys('ChestLid01 \\ Material #1 \\ U Offset', 'Key', [(0, '0'), (n - 1, '0.5')]),
    ])
    return export('ChestLid01', samples, tracks)


def drawer():
    n = 11
    return export('Drawer01', [sample(-380 + 40.0 * i / (n - 1), 21, -340) for i in range(n)])


def flag():
    # The pole stays; the free corners (model units from the pole) flutter.
    n = 21
    samples = [sample(388, 22, 120) for _ in range(n)]
    top = [(0, '64 24 0'), (5, '58 30 0'), (10, '64 20 0'), (15, '58 28 0'), (20, '64 24 0')]
    bottom = [(0, '64 -24 0'), (5, '60 -20 0'), (10, '64 -28 0'), (15, '60 -22 0'), (20, '64 -24 0')]
    tracks = '\n'.join([keys('Flag01 \\ Vertex 3', 'K', top), keys('Flag01 \\ Vertex 2', 'K', bottom)])
    return export('Flag01', samples, tracks)


# Where the lock and the chains hang in LHT60_MM (their pivots, at their
# tops): the Extras button's place before it rises with the urn.
LOCK_PIVOT = (0, 81, -339)
CHAINS_PIVOT = (0, 80, -327)


def lock_and_chains():
    """One export, two nodes: the padlock swings on the chains and settles
    in 1.5 s; the chains give a little and bounce back."""
    n = 16
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<!-- Made by tools/make_anim.py -->',
             '<MaxAnimation>',
             '  <SceneInfo frameRate="%d" ticksPerFrame="%d"/>' % (RATE, TICKS)]
    for node, (x, y, z), swing, drop in (('A_zamokExtras', LOCK_PIVOT, 0.35, 6.0),
                                         ('A_cepiExtras', CHAINS_PIVOT, 0.04, 4.0)):
        samples = []
        for i in range(n):
            t = i / float(n - 1)
            decay = 1.0 - t
            turn = swing * decay * math.sin(t * 3.0 * 2.0 * math.pi)
            dz = -drop * decay * abs(math.sin(t * 2.0 * math.pi))
            samples.append(sample(x, y, z + dz, turn))
        lines += ['  <Node name="%s" parentNode="Scene Root">' % node,
                  '    <Samples count="%d">' % n]
        lines += ['      <S v="%s"/>' % v for v in samples]
        lines += ['    </Samples>', '  </Node>']
    lines.append('</MaxAnimation>')
    return '\n'.join(lines) + '\n'


def companion(export_text, node):
    """The companion of an export's node that has samples only."""
    root = ET.fromstring(export_text)
    info = root.find('SceneInfo')
    rate = int(info.get('frameRate', '30'))
    ticks = int(info.get('ticksPerFrame', '160'))
    element = next(e for e in root.findall('Node') if e.get('name') == node)
    if element.find('Controller') is not None:
        raise SystemExit('companion: %s has controllers, which this script does not bake' % node)
    rows = [[float(v) for v in s.get('v').split(' ')] for s in element.find('Samples').findall('S')]
    out = struct.pack('<iiiif', len(rows), rate, ticks, 0, (len(rows) - 1) / float(rate))
    for t in rows:
        out += struct.pack('<3f', t[9], t[11], t[10])   # position
        out += struct.pack('<3f', t[3], t[5], t[4])     # direction
        out += struct.pack('<3f', t[6], t[8], t[7])     # up
        out += struct.pack('<3f', 1.0, 1.0, 1.0)        # scale
        out += struct.pack('<f', 1.0)                   # alpha
        out += struct.pack('<I', 0)                     # vertex frame: a placeholder on disk
        out += struct.pack('<2f', 0.0, 0.0)             # texture offsets
    return out + struct.pack('<i', 0)                   # no vertex animation


def main():
    os.makedirs(ANIMATION, exist_ok=True)
    files = {'ChestLid.xaf': chest_lid(), 'Drawer.xaf': drawer(), 'Flag.xaf': flag(),
             'LHT60_MM_zamok.xaf': lock_and_chains()}
    for name, text in files.items():
        with open(os.path.join(ANIMATION, name), 'w', newline='\n') as f:
            f.write(text)
    with open(os.path.join(ANIMATION, 'Drawer.Drawer01.anim'), 'wb') as f:
        f.write(companion(files['Drawer.xaf'], 'Drawer01'))


if __name__ == '__main__':
    main()
