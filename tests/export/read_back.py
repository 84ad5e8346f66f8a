"""Reads an exported schedule back and prints what it holds as JSON.

usage: read_back.py html|xml|xlsx|odt|pdf FILE

Run with /usr/bin/python3: it needs the Debian modules python3-openpyxl and python3-odf.
"""

import json
import re
import subprocess
import sys
from html.parser import HTMLParser
from xml.etree import ElementTree


class TableParser(HTMLParser):
    """The cells of the page's table, refusing tags that do not close in order."""

    VOID = {"meta", "br", "col", "link", "img", "hr", "input"}

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows = []
        self.cell = None
        self.stack = []

    def handle_starttag(self, tag, attrs):
        if tag not in self.VOID:
            self.stack.append(tag)
        attributes = dict(attrs)
        if tag == "tr":
            self.rows.append([])
        elif tag in ("td", "th"):
            self.cell = {"tag": tag, "text": "", "style": attributes.get("style", ""),
                         "colspan": int(attributes.get("colspan", "1")),
                         "rowspan": int(attributes.get("rowspan", "1"))}
            self.rows[-1].append(self.cell)
        elif tag == "br" and self.cell is not None:
            self.cell["text"] += "\n"

    def handle_endtag(self, tag):
        if tag in self.VOID:
            return
        if not self.stack or self.stack.pop() != tag:
            raise ValueError("unbalanced </%s>" % tag)
        if tag in ("td", "th"):
            self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell["text"] += data


def read_html(path):
    with open(path, encoding="utf-8") as page:
        text = page.read()
    parser = TableParser()
    parser.feed(text)
    parser.close()
    if parser.stack:
        raise ValueError("unclosed " + ",".join(parser.stack))
    return {"doctype": text.startswith("<!DOCTYPE html>"), "rows": parser.rows}


def read_xml(path):
    root = ElementTree.parse(path).getroot()
    rows = [[{"tag": field.tag, "text": field.text or ""} for field in row] for row in root]
    return {"root": root.tag, "rowTags": sorted({row.tag for row in root}), "rows": rows}


def colour_of(colour):
    """An ARGB text, or empty for no colour or a theme colour."""
    rgb = getattr(colour, "rgb", None)
    return rgb if isinstance(rgb, str) else ""


def read_xlsx(path):
    import openpyxl

    book = openpyxl.load_workbook(path)
    sheet = book.active
    cells = []
    for row in sheet.iter_rows():
        cells.append([{
            "value": "" if cell.value is None else str(cell.value),
            "number": isinstance(cell.value, (int, float)),
            "fill": colour_of(cell.fill.fgColor) if cell.fill.fill_type == "solid" else "",
            "font": colour_of(cell.font.color if cell.font else None),
            "bold": bool(cell.font and cell.font.b),
        } for cell in row])
    return {"title": sheet.title, "freeze": sheet.freeze_panes,
            "merged": sorted(str(r) for r in sheet.merged_cells.ranges),
            "widths": {key: dim.width for key, dim in sheet.column_dimensions.items()},
            "cells": cells}


def read_odt(path):
    from odf import opendocument, style, table, teletype, text

    document = opendocument.load(path)
    backgrounds = {}
    for entry in document.automaticstyles.getElementsByType(style.Style):
        for properties in entry.getElementsByType(style.ParagraphProperties):
            colour = properties.getAttribute("backgroundcolor")
            if colour:
                backgrounds[entry.getAttribute("name")] = colour
    rows = []
    for row in document.getElementsByType(table.TableRow):
        cells = []
        for cell in row.getElementsByType(table.TableCell):
            paragraphs = cell.getElementsByType(text.P)
            background = ""
            for paragraph in paragraphs:
                background = backgrounds.get(paragraph.getAttribute("stylename"), background)
            # Qt's writer puts a tab and layout blanks around every line break; a word
            # processor collapses the blanks.
            lines = [re.sub(r"[ \t]*\n\s*", "\n", teletype.extractText(paragraph)).strip()
                     for paragraph in paragraphs]
            cells.append({"text": "\n".join(lines), "background": background,
                          "span": int(cell.getAttribute("numbercolumnsspanned") or 1)})
        rows.append(cells)
    return {"rows": rows}


def read_pdf(path):
    layout = subprocess.run(["pdftotext", "-layout", path, "-"], check=True,
                            capture_output=True, text=True).stdout
    info = subprocess.run(["pdfinfo", path], check=True, capture_output=True,
                          text=True).stdout
    pages = [line.split()[-1] for line in info.splitlines() if line.startswith("Pages:")]
    return {"text": layout, "pages": int(pages[0]) if pages else 0}


READERS = {"html": read_html, "xml": read_xml, "xlsx": read_xlsx, "odt": read_odt,
           "pdf": read_pdf}

if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in READERS:
        sys.exit(__doc__)
    json.dump(READERS[sys.argv[1]](sys.argv[2]), sys.stdout)
