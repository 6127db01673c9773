#!/usr/bin/env python3
"""Draws the bundled fallback icons (24 x 24 PNG) with ImageMagick's convert.
They show where the desktop's icon theme has no icon of the name. Run again
after a change and commit the PNG files."""
import os
import subprocess

INK = '#2e3436'
BLUE = '#3465a4'
PAGE = ['-fill', 'white', '-stroke', INK, '-strokewidth', '1.5',
        '-draw', 'polygon 5,2 15,2 20,7 20,22 5,22', '-fill', 'none', '-draw', 'polyline 15,2 15,7 20,7']


def stroke(colour, width):
    return ['-stroke', colour, '-strokewidth', str(width)]


def fill(colour):
    return ['-fill', colour]


def d(*primitives):
    out = []
    for primitive in primitives:
        out += ['-draw', primitive]
    return out


ICONS = {
    'document-new': PAGE + stroke('#4e9a06', 2.5) + d('line 12,11 12,19', 'line 8,15 16,15'),
    'document-open': fill('#edd400') + stroke(INK, 1.5) + d('polygon 2,5 9,5 11,7 21,7 21,20 2,20')
    + fill('#fce94f') + d('polygon 2,20 6,11 23,11 20,20'),
    'document-print': fill('white') + stroke(INK, 1.5) + d('rectangle 7,2 17,9') + fill('#888a85')
    + d('roundrectangle 2,9 22,18 2,2') + fill('white') + d('rectangle 7,15 17,22'),
    'document-print-preview': PAGE + fill('#d3d7cf') + stroke(INK, 2) + d('circle 11,12 11,16', 'line 14,15 21,22'),
    'document-send': PAGE + stroke(BLUE, 2.5) + d('line 8,14 16,14') + fill(BLUE) + stroke(BLUE, 1)
    + d('polygon 14,10 19,14 14,18'),
    'stock-receive': fill('#c17d11') + stroke(INK, 1.5) + d('rectangle 3,12 21,21') + stroke(BLUE, 2.5)
    + d('line 12,1 12,7') + fill(BLUE) + stroke(BLUE, 1) + d('polygon 8,6 16,6 12,11'),
    'record-sale': fill('#73d216') + stroke(INK, 1.5) + d('polygon 2,12 11,3 21,3 21,13 12,22') + fill('white')
    + d('circle 16,8 16,10'),
    'auto-order': fill('white') + stroke(INK, 1.5) + d('rectangle 8,1 21,17', 'rectangle 3,5 16,21')
    + stroke(BLUE, 2.5) + d('line 5,13 11,13') + fill(BLUE) + stroke(BLUE, 1) + d('polygon 10,9 14,13 10,17'),
    'auto-receive': fill('#c17d11') + stroke(INK, 1.5) + d('rectangle 3,13 21,22') + fill(BLUE) + stroke(BLUE, 1)
    + d('polygon 3,2 11,2 7,7', 'polygon 13,6 21,6 17,11'),
    'edit-find': fill('#d3d7cf') + stroke(INK, 2.5) + d('circle 10,10 10,16') + stroke(INK, 3.5)
    + d('line 15,15 21,21'),
    'view-sort-ascending': fill(BLUE) + ['-stroke', 'none'] + d('rectangle 3,16 7,21', 'rectangle 10,10 14,21',
                                                                 'rectangle 17,3 21,21') + fill(INK)
    + d('rectangle 1,22 23,23'),
    'view-refresh': fill('none') + stroke(BLUE, 3) + d('arc 4,4 20,20 40,330') + fill(BLUE) + ['-stroke', 'none']
    + d('polygon 13,2 22,6 15,12'),
    'customize-columns': fill('white') + stroke(INK, 1.5) + d('rectangle 2,3 22,21') + fill('#729fcf')
    + d('rectangle 2,3 22,8') + fill('none') + d('line 9,3 9,21', 'line 15,3 15,21'),
    'display-all': fill('#edd400') + stroke(INK, 1.5) + d('rectangle 2,2 9,7') + fill('none')
    + d('line 5,8 5,20', 'line 5,13 11,13', 'line 5,20 11,20') + fill('white')
    + d('rectangle 12,11 22,15', 'rectangle 12,18 22,22'),
    'list-add': fill('#4e9a06') + stroke(INK, 1)
    + d('polygon 9,3 15,3 15,9 21,9 21,15 15,15 15,21 9,21 9,15 3,15 3,9 9,9'),
    'edit-delete': stroke('#cc0000', 4) + d('line 5,5 19,19', 'line 19,5 5,19'),
    'document-properties': PAGE + stroke(INK, 1.5) + d('line 8,11 17,11', 'line 8,15 17,15', 'line 8,19 14,19'),
}

os.chdir(os.path.dirname(os.path.abspath(__file__)))
for name, commands in ICONS.items():
    subprocess.run(['convert', '-size', '24x24', 'xc:none'] + commands + ['-strip', 'png32:' + name + '.png'],
                   check=True)
