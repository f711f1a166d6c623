"""Parses an HTML file with lxml and reads the text of every cell of every row.

The general-parser peer of the statement reader in reader_vs_peers.sh.
"""
import sys

import lxml.html


def main(path):
    tree = lxml.html.parse(path)
    cells = 0
    for row in tree.iter("tr"):
        for cell in row.iter("td"):
            cell.text_content()
            cells += 1
    print(cells)


if __name__ == "__main__":
    main(sys.argv[1])
