"""What the vornelle-db tests share: running the tool, and checking how it ended."""
import functools
import os
import resource
import subprocess
import tempfile
import unittest

TOOL = None  # the vornelle-db under test, set by each script from its command line
MEMORY_LIMIT_MB = 1536


def run(*args, cwd=None):
    return subprocess.run([TOOL] + list(args), capture_output=True, text=True, cwd=cwd)


@functools.lru_cache(maxsize=None)
def sanitized():
    """Whether the tool is a sanitizer build, whose shadow memory no address space limit admits."""
    with open(TOOL, "rb") as f:
        return b"__asan_init" in f.read()


def run_limited(*args, cwd=None, timeout=30):
    """run, within a memory limit and a time limit, as hostile input is tried: a read that never
    ends fails the test with TimeoutExpired, one that grows without bound with its exit status."""
    env, limit = dict(os.environ), MEMORY_LIMIT_MB << 20
    if sanitized():
        env["ASAN_OPTIONS"] = ":".join(filter(None, [env.get("ASAN_OPTIONS"),
                                                     "hard_rss_limit_mb=%d" % MEMORY_LIMIT_MB]))
        limit_memory = None
    else:
        def limit_memory():
            resource.setrlimit(resource.RLIMIT_AS, (limit, limit))
    return subprocess.run([TOOL] + list(args), capture_output=True, text=True, cwd=cwd, timeout=timeout,
                          env=env, preexec_fn=limit_memory)


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
