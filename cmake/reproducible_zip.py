#!/usr/bin/env python3
"""Rewrites a zip so that its bytes depend on its files' names and contents alone.

    reproducible_zip.py ZIP EPOCH

Entries are stored sorted by name, deflated, each with the time EPOCH (seconds
since 1970, UTC), Unix permissions 0755 for programs and 0644 otherwise, and
no extra fields.
"""

import sys
import time
import zipfile


def main(path, epoch):
    stamp = time.gmtime(max(int(epoch), 315532800))[:6]  # zip times start in 1980
    with zipfile.ZipFile(path) as original:
        entries = sorted((info.filename, original.read(info)) for info in original.infolist()
                         if not info.is_dir())
    with zipfile.ZipFile(path, "w") as rewritten:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 3  # Unix, so that the permissions below are read
            mode = 0o755 if name.lower().endswith(".exe") else 0o644
            info.external_attr = (0o100000 | mode) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            rewritten.writestr(info, data, compresslevel=9)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
