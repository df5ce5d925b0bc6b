#!/usr/bin/env python3
"""Writes the fixture database folders of these tests, field by field at the offsets of the
file formats, independently of the program's own writer:

  Clientes/  a field of every type, a name that is the start of another, a field defined twice,
             a name of the full 31 bytes without a terminator and a list text without one;
             three records, the third holding a value whose last cell never comes.
  Pedidos/   four capturable fields (one with a maximum length of 0) and two records; the
             capture tests copy it before they append to it.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def field_record(kind, name, ftype, max_length, spare, list_text=b""):
    rec = struct.pack("<i", kind) + name.ljust(31, b"\0")[:31]
    rec += struct.pack("<hhh", ftype, max_length, spare)
    rec += list_text.ljust(12001, b"\0")[:12001]
    assert len(rec) == 12042
    return rec


def cell(ch, kind, name, ftype, max_length, spare, record, last):
    c = struct.pack("<i", kind) + bytes([ch]) + name.ljust(31, b"\0")[:31]
    c += struct.pack("<hhqhi", ftype, max_length, record, spare, last)
    assert len(c) == 54
    return c


def value_cells(fields, record, values, unterminated=()):
    out = b""
    for name, kind, ftype, max_length, spare in fields:
        for value in values.get(name, []):
            for k, ch in enumerate(value):
                last = 1 if k == len(value) - 1 and name not in unterminated else 0
                out += cell(ch, kind, name, ftype, max_length, spare, record, last)
    return out


def write(folder, definitions, cells):
    path = os.path.join(HERE, folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, folder + ".z04"), "wb") as f:
        f.write(definitions)
    with open(os.path.join(path, folder + ".zbd"), "wb") as f:
        f.write(cells)


LONG_NAME = b"CampoConUnNombreDeTreintaYUnoXY"   # 31 bytes, no terminator
assert len(LONG_NAME) == 31

clientes = [  # name, kind, type, max length, spare
    (b"Nom", 1, 3, 10, 0),
    (b"Nombre", 1, 3, 30, 0),
    (b"Apellido", 1, 3, 40, 0),
    (b"Fonetica", 1, 0, 30, 0),
    (b"Importe", 1, 1, 12, 0),
    (b"Unidades", 1, 2, 5, 0),
    (b"Activo", 1, 4, 1, 0),
    (b"Notas", 1, 5, 500, 0),
    (b"Telefono", 1, 6, 15, 0),
    (b"Email", 1, 7, 40, 0),
    (b"Alta", 1, 8, 10, 0),
    (b"Color", 1, 9, 3, 0),
    (b"Raro", 1, 11, 5, 0),
    (b"Doble", 1, 3, 10, 0),
    (b"Doble", 1, 4, 10, 0),
    (LONG_NAME, 1, 3, 10, 0),
]
lists = {b"Color": b"  rojo|verde|azul  "}
definitions = b""
for name, kind, ftype, max_length, spare in clientes:
    definitions += field_record(kind, name, ftype, max_length, spare, lists.get(name, b""))
# A list text that fills its 12001 bytes without a terminator, in a field no record uses.
definitions += field_record(1, b"Lleno", 9, 3, 0, b"x|" * 6000 + b"y")

cells = value_cells(clientes, 1, {
    b"Nom": [b"Al"], b"Nombre": [b"Ana"], b"Apellido": [b"P\xe9rez"], b"Fonetica": [b"'ana"],
    b"Importe": [b"1.234'5"], b"Unidades": [b"7"], b"Activo": [b"1"],
    b"Notas": [b"Cliente preferente"], b"Telefono": [b"912345678"], b"Email": [b"ana@x.es"],
    b"Alta": [b"15/03/1980"], b"Color": [b"101"], b"Raro": [b"zz"],
    b"Doble": [b"uno", b"dos"], LONG_NAME: [b"largo"]})
cells += value_cells(clientes, 2, {
    b"Nombre": [b"Jos\xe9"], b"Activo": [b"0"], b"Alta": [b"31/04/2020"], b"Color": [b"105"]})
cells += value_cells(clientes, 3, {
    b"Nombre": [b"Eva"], b"Apellido": [b"N\xfa\xf1ez"], b"Importe": [b"99"],
    b"Telefono": [b"600"], b"Email": [b"eva@x.es"]}, unterminated=(b"Telefono",))
write("Clientes", definitions, cells)

pedidos = [
    (b"Cliente", 5, 3, 20, 11),
    (b"Importe", 6, 1, 10, 12),
    (b"Pagado", 7, 4, 1, 13),
    (b"Vacio", 8, 2, 0, 14),
]
definitions = b"".join(field_record(k, n, t, m, s) for n, k, t, m, s in pedidos)
cells = value_cells(pedidos, 1, {b"Cliente": [b"Luis"], b"Importe": [b"10'5"], b"Pagado": [b"1"]})
cells += value_cells(pedidos, 2, {b"Cliente": [b"Rosa"], b"Importe": [b"7"], b"Pagado": [b"0"]})
write("Pedidos", definitions, cells)
