#!/usr/bin/env python3
"""Makes the self-contained web page CamSetup-<version>.html.

The four forms are made from the windows' dialog templates (src/res/*.rc): the same controls
with the same ids, grouped as the group boxes enclose them, in rows as the templates place them
(the document's order is the keyboard's). A label is tied to the control it stands beside or
above; controls that share their labels are told apart by their column's header, or by a name of
their own from the page's texts (src/lang/WebTexts.cpp, keyed by the control's name). The page template
(web/page.html, web/page.css, web/page.js) and the compiled core (camweb.js, with its
WebAssembly inside) are put into one file; nothing is loaded from elsewhere. The output depends
only on its inputs, so a release built twice gives the same bytes.
"""
import argparse
import html
import json
import re
import sys
from pathlib import Path

# The forms: the page's name for each, its template file and dialog id.
FORMS = [
    ("main", "MainSetup.rc", "IDD_MAIN_SETUP"),
    ("page1", "ParamPage.rc", "IDD_PARAM_PAGE"),
    ("page2", "SendPage.rc", "IDD_SEND_PAGE"),
    ("camera", "CameraSetup.rc", "IDD_CAMERA_SETUP"),
]

IDS = {}  # the control ids by name, from resource.h
INPUT_KINDS = {"EDITTEXT", "COMBOBOX", "AUTOCHECKBOX", "PUSHBUTTON", "DEFPUSHBUTTON"}
LABEL_KINDS = {"LTEXT", "CTEXT", "RTEXT"}
MAX_PAGE_BYTES = 1024 * 1024

# Controls whose window shows no label beside them, named by a label of another form that says
# what they are: page 1's language list by Main Setup's "Interface Language".
NAMED_ELSEWHERE = {("page1", "IDC_PARAM_LANGUAGE_LIST"): ("main", "IDC_MAIN_LANGUAGE_GROUP")}


def read_ids(resource_h):
    ids = {}
    for m in re.finditer(r"^#define\s+(\w+)\s+(\d+)", resource_h, re.M):
        ids[m.group(1)] = int(m.group(2))
    return ids


def split_args(text):
    """Splits a template line's arguments at commas outside quotes."""
    out, cur, quoted = [], "", False
    for ch in text:
        if ch == '"':
            quoted = not quoted
            cur += ch
        elif ch == "," and not quoted:
            out.append(cur.strip())
            cur = ""
        else:
            cur += ch
    out.append(cur.strip())
    return out


class Control:
    def __init__(self, kind, name, cid, rect, text, order):
        self.kind, self.name, self.id, self.rect, self.text = kind, name, cid, rect, text
        self.order = order
        self.group = None  # innermost enclosing group box
        self.children = []  # a group box's controls
        self.primary = None  # the label shown with an input
        self.names = []  # the labels naming an input
        self.owner = None  # the input a label is shown with
        self.part = False  # named by a page text of its own beside its labels
        self.row_label = None  # the label beside an input, on its left

    def box(self):
        x, y, w, h = self.rect
        return x, y, x + w, y + h

    def is_group(self):
        return self.kind == "GROUPBOX"

    def is_input(self):
        return self.kind in INPUT_KINDS

    def is_label(self):
        # Separators such as ":" and "/" name nothing.
        return self.kind in LABEL_KINDS and re.search(r"\w", self.text or "") is not None


def parse_dialog(rc_text, dialog, ids):
    m = re.search(r"^" + dialog + r"\s+DIALOGEX.*?^BEGIN\s*$(.*?)^END", rc_text, re.M | re.S)
    if not m:
        sys.exit(f"no dialog {dialog}")
    controls = []
    for line in m.group(1).splitlines():
        line = line.split("//")[0].strip()
        if not line:
            continue
        kind, rest = line.split(None, 1)
        args = split_args(rest)
        text = None
        if kind not in ("EDITTEXT", "COMBOBOX"):
            text = args.pop(0).strip('"')
        name = args[0]
        rect = tuple(int(a) for a in args[1:5])
        controls.append(Control(kind, name, ids[name], rect, text, len(controls)))
    return controls


def encloses(g, c):
    gx0, gy0, gx1, gy1 = g.box()
    x0, y0, x1, y1 = c.box()
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    return g is not c and gx0 <= cx <= gx1 and gy0 <= cy <= gy1 and (
        not c.is_group() or (gx1 - gx0) * (gy1 - gy0) > (x1 - x0) * (y1 - y0))


def area(c):
    return c.rect[2] * c.rect[3]


def build_tree(controls):
    groups = [c for c in controls if c.is_group()]
    top = []
    for c in controls:
        around = [g for g in groups if encloses(g, c)]
        c.group = min(around, key=area) if around else None
    for c in controls:
        (c.group.children if c.group else top).append(c)
    return top


def overlap(a0, a1, b0, b1):
    return min(a1, b1) - max(a0, b0) > 0


def titles_around(c):
    """What names the groups around c, the outermost first: a group box's title, or for an
    untitled one the leftmost label that stands beside one of its inputs (a frame's "Timer1")."""
    out = []
    g = c.group
    while g is not None:
        if g.text:
            out.insert(0, g)
        else:
            beside = [o for o in g.children if o.is_label() and any(
                i.is_input() and overlap(o.box()[1], o.box()[3], i.box()[1], i.box()[3]) and
                o.box()[2] <= i.box()[0] for i in g.children)]
            if beside:
                out.insert(0, min(beside, key=lambda o: o.rect[0]))
        g = g.group
    return out


def tie_labels(controls):
    """Names each input by what names the groups around it, then by the labels of its group
    beside it (left, same row) and just above it (or a list just above it, for an input without
    a label beside it). The first such label is shown with the input."""
    for c in controls:
        if not c.is_input() or c.kind in ("PUSHBUTTON", "DEFPUSHBUTTON", "AUTOCHECKBOX"):
            continue
        x0, y0, x1, y1 = c.box()
        same = [o for o in controls if o is not c and o.group is c.group]
        left = [o for o in same if o.is_label() and overlap(o.box()[1], o.box()[3], y0, y1)
                and o.box()[0] < x0]
        above = [o for o in same if (o.is_label() or o.kind == "COMBOBOX") and
                 overlap(o.box()[0], o.box()[2], x0, x1) and 0 <= y0 - o.box()[3] <= 6]
        left_label = max(left, key=lambda o: o.box()[2]) if left else None
        above_label = min(above, key=lambda o: y0 - o.box()[3]) if above else None
        c.row_label = left_label
        names = titles_around(c)
        # A list above names only an input that has no label beside it.
        if left_label is not None:
            names.append(left_label)
        if above_label is not None and (above_label.is_label() or left_label is None):
            names.append(above_label)
        c.names = [n for k, n in enumerate(names) if n not in names[:k]]
        for o in (left_label, above_label):
            if o is not None and o.is_label() and o.owner is None:
                o.owner, c.primary = c, o
                break


def column_header(controls, c):
    """The label heading the input's column in its group: the nearest one above it."""
    x0, y0, x1, _ = c.box()
    above = [o for o in controls if o.group is c.group and o.is_label() and
             overlap(o.box()[0], o.box()[2], x0, x1) and o.box()[3] <= y0]
    return max(above, key=lambda o: o.box()[3]) if above else None


def tell_apart(controls):
    """Inputs named alike gain their column's header (when a label beside them names their row),
    then a name of their own."""
    def alike():
        seen = {}
        for c in controls:
            if c.names:
                seen.setdefault(tuple(n.id for n in c.names), []).append(c)
        return [c for same in seen.values() if len(same) > 1 for c in same]
    for c in alike():
        header = column_header(controls, c) if c.row_label is not None else None
        if header is not None and header not in c.names:
            c.names.append(header)
    for c in alike():
        c.part = True


def shown_text(c):
    """A label's text until the form's model sets one: the template's, as in the window."""
    text = c.text or ""
    return "" if text.startswith("CAMSETUP_") else html.escape(text)


def dom_id(form, c):
    return f"{form}-{c.id}"


def ref_ids(form, nodes):
    """The ids of the elements that show what the nodes say, for aria-labelledby."""
    return " ".join(dom_id(form, n) + ("-legend" if n.is_group() else "") for n in nodes)


def render_input(form, c):
    did = dom_id(form, c)
    attrs = f'id="{did}" data-id="{c.id}"'
    labelled = ref_ids(form, c.names)
    part = ""
    if c.part:
        labelled += f" {did}-part"
        part = f'<span id="{did}-part" data-text="{c.name}" hidden></span>'
    if not labelled and (form, c.name) in NAMED_ELSEWHERE:
        other, name = NAMED_ELSEWHERE[(form, c.name)]
        labelled = f"{other}-{IDS[name]}-legend"
    if labelled:
        attrs += f' aria-labelledby="{labelled}"'
    if c.kind == "EDITTEXT":
        return (f'<input type="text" class="edit" {attrs} autocomplete="off" spellcheck="false">'
                + part)
    if c.kind == "COMBOBOX":
        return f'<select class="list" {attrs}></select>{part}'
    if c.kind == "AUTOCHECKBOX":
        return (f'<span class="check"><input type="checkbox" {attrs}>'
                f'<label for="{did}" id="{did}-text"></label></span>')
    return f'<button type="button" class="button" {attrs}></button>'


def rows_of(nodes):
    """The nodes in rows as the template places them, each row from left to right."""
    rows = []  # [bottom, controls]: a control that reaches into a row's height joins it
    for c in sorted(nodes, key=lambda c: (c.rect[1], c.rect[0])):
        top, bottom = c.rect[1], c.rect[1] + c.rect[3]
        if rows and top < rows[-1][0]:
            rows[-1][0] = max(rows[-1][0], bottom)
            rows[-1][1].append(c)
        else:
            rows.append([bottom, [c]])
    return [sorted(row, key=lambda c: (c.rect[0], c.rect[1])) for _, row in rows]


def render(form, nodes, out, depth):
    pad = "  " * depth
    for row in rows_of(nodes):
        # A label shown with its input leaves nothing in its own row.
        if all(c.owner is not None for c in row):
            continue
        out.append(f'{pad}<div class="row">')
        render_row(form, row, out, depth + 1)
        out.append(f"{pad}</div>")


def is_narrow(c):
    return c.is_input() and c.rect[2] <= 32


def is_separator(c):
    return c.kind in LABEL_KINDS and not c.is_label()


def runs_of(nodes):
    """The row's nodes, with narrow inputs joined by separators (a date's "/", a time's ":") put
    together in one list, which wraps as a whole."""
    out = []
    for c in nodes:
        run = out[-1] if out and isinstance(out[-1], list) else None
        if run is not None and (is_separator(c) and is_narrow(run[-1]) or
                                is_narrow(c) and is_separator(run[-1])):
            run.append(c)
        elif is_narrow(c):
            out.append([c])
        else:
            out.append(c)
    # A separator that nothing follows stays on its own.
    flat = []
    for item in out:
        if isinstance(item, list):
            tail = [item.pop()] if is_separator(item[-1]) else []
            flat += [item] if len(item) > 1 else item
            flat += tail
        else:
            flat.append(item)
    return flat


def render_row(form, nodes, out, depth, in_run=False):
    pad = "  " * depth
    for c in (nodes if in_run else runs_of(nodes)):
        if isinstance(c, list):
            out.append(f'{pad}<div class="run">')
            render_row(form, c, out, depth + 1, True)
            out.append(f"{pad}</div>")
            continue
        did = dom_id(form, c)
        if c.is_group():
            # A group whose controls are all disabled folds to its title, a button that opens it.
            out.append(f'{pad}<fieldset class="group" id="{did}" data-id="{c.id}">'
                       f'<legend><span id="{did}-legend" data-id="{c.id}">{shown_text(c)}</span>'
                       f'<button type="button" class="fold" id="{did}-fold" aria-expanded="false" '
                       f'aria-labelledby="{ref_ids(form, titles_around(c))} {did}-legend" '
                       f'hidden></button></legend>')
            render(form, c.children, out, depth + 1)
            out.append(f"{pad}</fieldset>")
        elif c.is_input():
            field = render_input(form, c)
            if c.primary is not None:
                p = c.primary
                field = (f'<label class="label" for="{did}" id="{dom_id(form, p)}" '
                         f'data-id="{p.id}">{shown_text(p)}</label>{field}')
            # Narrow controls of the template (clock edits, hour and minute lists) stay narrow.
            narrow = " narrow" if is_narrow(c) else ""
            out.append(f'{pad}<div class="field field-{c.kind.lower()}{narrow}">{field}</div>')
        elif c.owner is None:
            out.append(f'{pad}<span class="label" id="{did}" data-id="{c.id}">{shown_text(c)}</span>')


def make_form(form, rc_text, dialog, ids):
    controls = parse_dialog(rc_text, dialog, ids)
    top = build_tree(controls)
    tie_labels(controls)
    tell_apart(controls)
    out = [f'<section class="form" id="{form}" hidden aria-labelledby="{form}-caption">',
           f'<header class="caption"><h2 id="{form}-caption"></h2>'
           f'<button type="button" class="close" id="{form}-close"></button></header>',
           '<div class="body">']
    render(form, top, out, 1)
    out.append("</div></section>")
    return "\n".join(out)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--js", required=True, help="the compiled core, camweb.js")
    ap.add_argument("--src", required=True, help="the source tree")
    ap.add_argument("--version", required=True)
    ap.add_argument("--out", required=True)
    a = ap.parse_args()
    src = Path(a.src)
    res = src / "src" / "res"
    ids = read_ids((res / "resource.h").read_text(encoding="utf-8"))
    IDS.update(ids)
    # The templates' Chinese as character references: a page of ASCII alone is decoded and
    # scanned as one-byte text, faster than text with a single character beyond it.
    forms = [make_form(name, (res / rc).read_text(encoding="utf-8"), dialog, ids)
             .encode("ascii", "xmlcharrefreplace").decode("ascii") for name, rc, dialog in FORMS]
    # The forms after the first go in as text, which the parser only scans; the page makes each
    # into elements when it first opens, so the first form is ready sooner on a slow phone.
    for k, (name, _, _) in enumerate(FORMS[1:], 1):
        if "</script" in forms[k].lower():
            sys.exit(f"the form {name} would end its <script> element")
        forms[k] = f'<script type="text/html" id="{name}-form">\n{forms[k]}\n</script>'
    web = src / "web"
    page = (web / "page.html").read_text(encoding="utf-8")
    core = Path(a.js).read_text(encoding="utf-8")
    # The WebAssembly goes beside the script, which the page hands it: the script would first
    # try to fetch its data: address, which the page's policy refuses.
    m = re.search(r'wasmBinaryFile\s*=\s*"data:application/octet-stream;base64,([A-Za-z0-9+/=]*)"',
                  core)
    if not m:
        sys.exit("camweb.js holds no embedded WebAssembly")
    wasm = m.group(1)
    core = core[:m.start()] + 'wasmBinaryFile=""' + core[m.end():]
    # Nothing in the scripts may end the <script> element early.
    if "</script" in core.lower():
        core = core.replace("</script", "<\\/script")
    parts = {
        "@VERSION@": html.escape(a.version),
        "@STYLE@": (web / "page.css").read_text(encoding="utf-8"),
        "@FORMS@": "\n".join(forms),
        # The control ids by name, for the page's script.
        "@IDS@": json.dumps(ids, sort_keys=True, separators=(",", ":")),
        "@CORE@": core,
        "@WASM@": wasm,
        "@SCRIPT@": (web / "page.js").read_text(encoding="utf-8"),
    }
    for key in parts:
        if page.count(key) != 1:
            sys.exit(f"web/page.html must hold {key} once")
    # One pass, so that no part's text is taken for another's place holder.
    page = re.sub("|".join(parts), lambda m: parts[m.group(0)], page)
    data = page.encode("utf-8")
    if len(data) > MAX_PAGE_BYTES:
        sys.exit(f"the page is {len(data)} bytes, more than {MAX_PAGE_BYTES}")
    Path(a.out).write_bytes(data)


if __name__ == "__main__":
    main()
