"""Replacing a file whole or not at all, for the scripts that write the
game's data: the bytes go to a temporary file in the same folder, are flushed
to the disk and only then renamed over the old file. A full disk or a crash
leaves the old file as it was and no temporary behind."""

import os
import tempfile


def replace_file(path, data):
    folder = os.path.dirname(os.path.abspath(path))
    fd, temp = tempfile.mkstemp(dir=folder, prefix=os.path.basename(path) + ".tmp")
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(data)
            f.flush()
            os.fsync(f.fileno())
        os.chmod(temp, 0o644)
        os.replace(temp, path)
    except BaseException:
        try:
            os.unlink(temp)
        except OSError:
            pass
        raise
