"""What the vornelle-db tests share: running the tool, and checking how it ended."""
import os
import subprocess
import tempfile
import unittest

TOOL = None  # the vornelle-db under test, set by each script from its command line


def run(*args, cwd=None):
    return subprocess.run([TOOL] + list(args), capture_output=True, text=True, cwd=cwd)


class ToolCase(unittest.TestCase):
    def ok(self, *args):
        """The output of a command that must succeed."""
        done = run(*args)
        self.assertEqual(done.returncode, 0, done.stderr)
        return done.stdout

    def fails(self, *args):
        """The error of a command that must fail with status 1 and print nothing else."""
        done = run(*args)
        self.assertEqual(done.returncode, 1, done.stdout)
        self.assertEqual(done.stdout, "")
        return done.stderr


class FolderCase(ToolCase):
    """A test with a temporary folder of its own, self.dir, removed after it."""

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.dir = self.folder.name

    def tearDown(self):
        self.folder.cleanup()

    def path(self, name):
        return os.path.join(self.dir, name)


def make_theme_with_python_dbf(path, records, kind="db3"):
    """A theme table written by another program, python3-dbf: (key, text, deleted) records,
    the text in code page 437."""
    import dbf
    table = dbf.Table(path, "thedate C(4); thejoke M", dbf_type=kind, codepage="cp437")
    table.open(dbf.READ_WRITE)
    for key, text, deleted in records:
        table.append((key, text))
        if deleted:
            dbf.delete(table[-1])
    table.close()
