#!/usr/bin/env python3
"""Writes the small hotel sets of the store tests (run from this folder).

Each folder holds a set LION.*; a damaged set has in expected/ the set that
opening and saving it must give."""
import os
import shutil


def write(path, lines, end='\r\n', final=True):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    data = end.join(lines) + (end if final and lines else '')
    with open(path, 'wb') as f:
        f.write(data.encode('cp1252'))


def client(n, code, name, town='PARIS', tagged=()):
    num = '%05d' % n
    return (['<BLOC%s>' % num, code, 'N', 'N', name, '12 rue des Lilas', '', '75011', town,
             'FRANCE', '01 43 55 12 12', '', '', '04/03/2026', 'CNI 123', '01/12/2026', '   12',
             '05/12/2026', '2', '  /  /    ', 'Couple', '   120,00', 'Française', 'Notaire', '0']
            + list(tagged) + ['</BLOC%s>' % num])


def room(n, number, occupant=''):
    num = '%05d' % n
    return ['<BLOC%s>' % num, number, 'Double', 'Chambre côté mer', '2', '85,00', '1', 'Sud',
            occupant, 'Y', 'Y', 'N', 'Y', 'Y', 'Y', '  /  /    ', '  /  /    ', '',
            'MEMOVue sur la baie', 'DATA01/02/2026\t05/02/2026\tPeinture', '</BLOC%s>' % num]


client0 = client(0, '10001', 'DUPONT Jean', tagged=[
    'MEMOClient fidèle, chambre calme', 'DATA01/11/2025\tFacture 2025110004\t   245,50'])
client1 = client(1, '10002', 'LEFÈVRE Zoé', town='LYON')
client2 = client(2, '10003', "O'BRIEN Œdipe", town='DUBLIN')
rooms = room(0, '   12', 'DUPONT Jean') + room(1, '    7')
inv = ['<BLOC00000>', 'NUMF202612001', '05/12/2026', '10001', '12', 'Carte bancaire',
       '01/12/2026', '05/12/2026', 'DUPONT Jean', 'DUPONT Jean', '12 rue des Lilas', '',
       '75011 PARIS', 'N', 'Y', 'FACT05/12/2026\t0001\tNuit double\t4\t85,00\t\t340,00\t1',
       '</BLOC00000>']
mnc = ['20261201   12\tDUPONT Jean\t1\t\t\t\t\t', '20261202   12\tDUPONT Jean\t1\t\t\t\t\t',
       '20261202    7\t\t0\t\t\t\t4,00\t']
art = ['<BLOC0000>', '0001', 'Hébergement', 'Nuit double', '85,00', '1', '706000', '', '</BLOC0000>',
       '<BLOC0001>', '0002', 'Bar', 'Café', '2,00', '2', '707000', 'Brasserie du Port',
       'DATA01/01/2026\tInventaire annuel\t120', '</BLOC0001>']
frs = ['<BLOC0000>', '0001', 'Boissons', 'Brasserie du Port', '</BLOC0000>']
cmd = ['<BLOC0000>', 'NUM202612001', '02/12/2026', '0001', '30 jours', 'Brasserie du Port', '', '',
       '', 'TTCN', 'Y', 'CMDE0002\tCafé\t10\t2,00\t\t20,00\t2', '</BLOC0000>']


def full(d, clients=None, **over):
    tables = dict(htl=clients if clients is not None else client0 + client1 + client2,
                  chb=rooms, fct=inv, mnc=mnc, stk=art, frs=frs, cmd=cmd)
    tables.update(over)
    for ext, lines in tables.items():
        if lines is not None:
            write('%s/LION.%s' % (d, ext), lines)


for d in os.listdir('.'):
    if os.path.isdir(d):
        shutil.rmtree(d)

# Sound sets: open then save gives the same bytes.
full('clean')
full('long-lines', clients=client0[:-1] + ['MEMO' + 'x' * 100000, 'DATA\t\t\t', ''] + client0[-1:] + client1)
# Damaged sets, each with the set its repair must give.

# A block whose number cannot be read is kept, numbered after the others.
full('non-numeric-markers', stk=art + ['<BLOCab12>', 'Thé', '</BLOCab12>'],
     htl=client0 + ['<BLOC0x001>', '?', '</BLOC0x001>'] + client1)
full('non-numeric-markers/expected', stk=art + ['<BLOC0002>', 'Thé', '</BLOC0002>'],
     htl=client0 + client1 + ['<BLOC00002>', '?', '</BLOC00002>'])
full('leading-junk', clients=['', 'Notes du veilleur'] + client0 + ['ligne égarée'] + client1)
full('leading-junk/expected', clients=client0 + ['ligne égarée'] + client1)

# Block 0 lost its end marker: it ends before block 1, where it gets it back.
full('missing-end-marker', clients=client0[:-1] + client1 + client2)
full('missing-end-marker/expected', clients=client0 + client1 + client2)

# A gap in the numbers is closed; nothing after it is lost.
gap = [l.replace('00002', '00005') for l in client2]
full('number-gap', clients=client0 + client1 + gap)
full('number-gap/expected', clients=client0 + client1 + client2)

# An exact copy of a block goes; the blocks end up in number order.
full('duplicate-copy', clients=client0 + client1 + client0 + client2)
full('duplicate-copy/expected', clients=client0 + client1 + client2)

extra_room = ['<BLOC00001>', '    9', 'Suite', '', '3', '', '2', '', '', 'Y', 'Y', 'Y', 'Y', 'Y', 'Y',
              '  /  /    ', '  /  /    ', '', '</BLOC00001>']
# Two different rooms under one number: both stay, the first renumbered.
full('duplicate-room', chb=rooms + extra_room)
full('duplicate-room/expected', chb=rooms[:21] + extra_room
     + [l.replace('00001', '00002') for l in rooms[21:]])

full('lone-end-marker', fct=['</BLOC00001>'])
full('lone-end-marker/expected', fct=[])

full('missing-start-marker', clients=client0 + client1[1:] + client2)
full('missing-start-marker/expected', clients=client0 + client1 + client2)

# Line ends written by other systems come back as CR LF.
for ext, lines, end in [('htl', client0 + client1, '\r'), ('chb', rooms, '\n'), ('fct', inv, '\r'),
                        ('mnc', mnc, '\n'), ('stk', art, '\r\n'), ('frs', frs, '\r'), ('cmd', cmd, '\n')]:
    write('cr-lf-endings/LION.%s' % ext, lines, end, final=(ext != 'fct'))
full('cr-lf-endings/expected', clients=client0 + client1)

# Only clients and rooms: the other files are created empty.
full('missing-files', fct=None, mnc=None, stk=None, frs=None, cmd=None)
full('missing-files/expected', fct=[], mnc=[], stk=[], frs=[], cmd=[])
