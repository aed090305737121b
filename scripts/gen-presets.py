#!/usr/bin/env python3
"""Writes src/sendset/OperatorPresetData.cpp: the country and operator lists and, per country and
operator slot, the MMS and 3G data network parameters.

The names shown in the lists and the offered counts are kept here; the network parameters come
from data/operator-presets.tsv (tab-separated, one row per named operator slot; taken from the
public-domain mobile broadband provider database of 2023-04-16, with the gaps filled in by hand:
data/README.md says where each value comes from and which rows were guessed).

    python3 scripts/gen-presets.py [path/to/operator-presets.tsv [output.cpp]]
    python3 scripts/gen-presets.py --check   # exit 1 unless the tree's file is what it gives

Without arguments it reads the tree's data/operator-presets.tsv and writes the tree's
src/sendset/OperatorPresetData.cpp. The program never reads the data file: it compiles the
generated tables. Run this script again after changing the data file or the lists below, and
commit both.
"""

import os
import re
import sys

COUNTRY_COUNT = 43
SLOT_COUNT = 10

# (Chinese name, English name, number of operators offered in the list). Operators in slots at or
# beyond the count are stored but never offered.
COUNTRIES = [
    ("中国", "China", 1),
    ("美国", "United States", 1),
    ("德国", "Deutschland", 4),
    ("英国", "United Kingdom", 8),
    ("加拿大", "Canada", 3),
    ("瑞典", "Sweden", 3),
    ("斯洛文尼亚", "Slovenia", 5),
    ("葡萄牙", "Portugal", 2),
    ("土耳其", "Turkey", 2),
    ("瑞士", "Schweiz", 3),
    ("西班牙", "Spain", 4),
    ("斯洛伐克", "Slovakia", 3),
    ("俄罗斯", "Russia", 2),
    ("罗马尼亚", "Romania", 2),
    ("波兰", "Poland", 1),
    ("荷兰", "Netherlands", 2),
    ("意大利", "Italy", 2),
    ("爱尔兰", "Ireland", 2),
    ("匈牙利", "Hungary", 2),
    ("希腊", "Greece", 2),
    ("法国", "France", 2),
    ("澳大利亚", "Australia", 5),
    ("奥地利", "Oesterreich", 2),
    ("巴西", "Brazil", 2),
    ("保加利亚", "Bulgaria", 3),
    ("克罗地亚", "Croatia", 5),
    ("捷克共和国", "Ceska republika", 4),
    ("丹麦", "Denmark", 2),
    ("芬兰", "Finland", 3),
    ("新西兰", "New Zealand", 1),
    ("挪威", "Norway", 4),
    ("南非", "South Africa", 3),
    ("埃及", "Egypt", 2),
    ("乌克兰", "Ukraine", 5),
    ("立陶宛", "Lithuania", 2),
    ("印度", "India", 4),
    ("拉脱维亚", "Latvia", 1),
    ("纳米比亚", "Namibia", 1),
    ("爱沙尼亚", "Estonia", 3),
    ("比利时", "Belgium", 3),
    ("塞浦路斯", "Cyprus", 1),
    ("智利", "Chile", 2),
    ("波黑", "Bosnia and Herzegovina", 1),
]

# Operator names that differ in the Chinese list: (country, slot) -> name.
CHINESE_OPERATOR_NAMES = {
    (0, 0): "中国联通",
    (0, 1): "中国移动",
}

# Named slots whose preset rows are deliberately empty (no parameters known).
EMPTY_PRESET_SLOTS = {(34, 2), (34, 3)}

# (column, record field, capacity in characters without the terminator)
MMS_COLUMNS = [
    ("mms_url", "sMmsSet.szUrl", 60),
    ("mms_apn", "sMmsSet.szApn", 60),
    ("mms_gateway", "sMmsSet.szGateway", 16),
    ("mms_port", "sMmsSet.szPort", 8),
    ("mms_account", "sMmsSet.szAccount", 32),
    ("mms_password", "sMmsSet.szPassword", 32),
]
NET_COLUMNS = [
    ("net_apn", "sSmtpSet.sz3GSmtpApN", 60),
    ("net_account", "sSmtpSet.sz3GSmtpAccount", 32),
    ("net_password", "sSmtpSet.sz3GSmtpPassword", 32),
]
HEADER = ["country_index", "slot", "country_en", "operator_name"] + \
    [c[0] for c in MMS_COLUMNS] + [c[0] for c in NET_COLUMNS] + ["source"]

# Columns that must hold a value for every row with parameters.
REQUIRED_COLUMNS = ["mms_url", "mms_apn", "mms_gateway", "mms_port", "net_apn"]

IPV4 = re.compile(r"^(25[0-5]|2[0-4]\d|1\d\d|[1-9]?\d)(\.(25[0-5]|2[0-4]\d|1\d\d|[1-9]?\d)){3}$")


class DataError(Exception):
    pass


def read_rows(path):
    with open(path, "rb") as f:
        raw = f.read()
    try:
        text = raw.decode("ascii")
    except UnicodeDecodeError as e:
        raise DataError(f"{path}: not ASCII ({e})")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if not lines or lines[0].rstrip("\r").split("\t") != HEADER:
        raise DataError(f"{path}: unexpected header line")
    rows = {}
    for number, line in enumerate(lines[1:], start=2):
        cells = line.rstrip("\r").split("\t")
        where = f"{path}:{number}"
        if len(cells) != len(HEADER):
            raise DataError(f"{where}: {len(cells)} columns, expected {len(HEADER)}")
        row = dict(zip(HEADER, cells))
        try:
            country, slot = int(row["country_index"]), int(row["slot"])
        except ValueError:
            raise DataError(f"{where}: country index and slot must be numbers")
        if not (0 <= country < COUNTRY_COUNT and 0 <= slot < SLOT_COUNT):
            raise DataError(f"{where}: country {country} slot {slot} out of range")
        if (country, slot) in rows:
            raise DataError(f"{where}: second row for country {country} slot {slot}")
        if row["country_en"] != COUNTRIES[country][1]:
            raise DataError(f"{where}: country {country} is {COUNTRIES[country][1]!r}, "
                            f"not {row['country_en']!r}")
        if not row["operator_name"]:
            raise DataError(f"{where}: operator name missing")
        check_values(where, (country, slot), row)
        rows[(country, slot)] = row
    check_slots(rows)
    return rows


def check_values(where, key, row):
    for column, field, capacity in MMS_COLUMNS + NET_COLUMNS:
        value = row[column]
        if len(value) > capacity:
            raise DataError(f"{where}: {column} {value!r} is longer than {field} "
                            f"({capacity} characters)")
        if any(ord(c) < 0x20 or ord(c) > 0x7E for c in value):
            raise DataError(f"{where}: {column} holds a control character")
    values = [row[c[0]] for c in MMS_COLUMNS + NET_COLUMNS]
    if key in EMPTY_PRESET_SLOTS:
        if any(values):
            raise DataError(f"{where}: this slot's preset row must be empty")
        return
    for column in REQUIRED_COLUMNS:
        if not row[column]:
            raise DataError(f"{where}: {column} is empty")
    if not IPV4.match(row["mms_gateway"]):
        raise DataError(f"{where}: gateway {row['mms_gateway']!r} is no dotted IPv4 address")
    if not row["mms_port"].isdigit() or not 0 < int(row["mms_port"]) < 65536:
        raise DataError(f"{where}: port {row['mms_port']!r} is no port number")
    for account, password in (("mms_account", "mms_password"), ("net_account", "net_password")):
        if row[password] and not row[account]:
            raise DataError(f"{where}: {password} without {account}")


def check_slots(rows):
    for country, (_, english, count) in enumerate(COUNTRIES):
        slots = sorted(slot for (c, slot) in rows if c == country)
        if slots != list(range(len(slots))):
            raise DataError(f"{english}: named slots {slots} are not contiguous from 0")
        if not 1 <= count <= len(slots):
            raise DataError(f"{english}: offers {count} operators but names {len(slots)}")


def quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def generate(rows, data_name):
    out = []
    emit = out.append
    emit("// Operator presets: the country and operator lists and their network parameters.")
    emit("//")
    emit(f"// GENERATED by scripts/gen-presets.py from {data_name}; do not edit by hand, change the")
    emit("// data file or the script and run the script again.")
    emit("// clang-format off")
    emit('#include "sendset/OperatorPresets.h"')
    emit("")
    emit("const TextPair CountryNameTable[PRESET_COUNTRY_COUNT] = {")
    for index, (chinese, english, _) in enumerate(COUNTRIES):
        emit(f"    /* {index:2} */ {{{{{quote(chinese)}, {quote(english)}}}}},")
    emit("};")
    emit("")
    emit("const OperatorNameEntry OperatorNameTable[2][PRESET_COUNTRY_COUNT] = {")
    for language in ("Chinese", "English"):
        emit(f"    {{ // {language}")
        for country, (_, english, count) in enumerate(COUNTRIES):
            names = []
            for slot in range(SLOT_COUNT):
                row = rows.get((country, slot))
                name = row["operator_name"] if row else ""
                if language == "Chinese":
                    name = CHINESE_OPERATOR_NAMES.get((country, slot), name)
                names.append(quote(name))
            emit(f"        /* {english} */")
            emit(f"        {{{count}, {{{', '.join(names)}}}}},")
        emit("    },")
    emit("};")
    emit("")
    for table, struct, columns in (("MmsPresetTable", "MmsPresetRow", MMS_COLUMNS),
                                   ("Net3GPresetTable", "Net3GPresetRow", NET_COLUMNS)):
        emit(f"const {struct} {table}[PRESET_COUNTRY_COUNT * PRESET_SLOT_COUNT] = {{")
        for country, (_, english, _) in enumerate(COUNTRIES):
            for slot in range(SLOT_COUNT):
                row = rows.get((country, slot))
                values = [row[c[0]] if row else "" for c in columns]
                label = f"{country}.{slot}"
                if slot == 0:
                    label += f" {english}"
                if row:
                    label += f" / {row['operator_name']}"
                emit(f"    {{{', '.join(quote(v) for v in values)}}}, // {label}".rstrip())
        emit("};")
        emit("")
    emit("// clang-format on")
    return "\n".join(out) + "\n"


def main(argv):
    check = len(argv) == 2 and argv[1] == "--check"
    if check:
        argv = argv[:1]
    if len(argv) > 3:
        sys.stderr.write(__doc__)
        return 2
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    data_path = argv[1] if len(argv) >= 2 else os.path.join(root, "data", "operator-presets.tsv")
    output = argv[2] if len(argv) == 3 else os.path.join(root, "src", "sendset",
                                                         "OperatorPresetData.cpp")
    if len(COUNTRIES) != COUNTRY_COUNT:
        sys.stderr.write(f"{len(COUNTRIES)} countries listed, expected {COUNTRY_COUNT}\n")
        return 1
    try:
        rows = read_rows(data_path)
    except (OSError, DataError) as e:
        sys.stderr.write(f"gen-presets: {e}\n")
        return 1
    text = generate(rows, os.path.basename(data_path))
    if check:
        with open(output, "rb") as f:
            same = f.read() == text.encode("utf-8")
        print(f"gen-presets: {output} {'is' if same else 'is NOT'} what {data_path} gives")
        return 0 if same else 1
    with open(output, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    print(f"gen-presets: {len(rows)} operators of {COUNTRY_COUNT} countries -> {output}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
