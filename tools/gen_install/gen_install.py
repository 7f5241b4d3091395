#!/usr/bin/env python3
"""Generates the sample installation (reference tables and pattern point files).

Usage: python3 tools/gen_install/gen_install.py [output folder]
The default output folder is install/ at the top of the repository. The output is
deterministic: running the generator twice gives identical files.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import catalogs  # noqa: E402
import helppage  # noqa: E402
import ratings  # noqa: E402
import readme  # noqa: E402
import tables  # noqa: E402


def main():
    root = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "install")
    tables.write_channel_tables(out)
    tables.write_fm_option_tables(out)
    tables.write_line_tables(out)
    b = catalogs.Builder(out)
    b.tv_azimuth()
    b.tv_elevation()
    b.fm_azimuth()
    b.fm_elevation()
    ratings.write_rating_tables(out)
    helppage.write_help_page(out)
    readme.write_readme(out)


if __name__ == "__main__":
    main()
