"""The test LRS (Learning Locker's statement service, installed by
tools/setup.sh) run in memory on a free loopback port, for the tests and the
benchmark of curavant-sim --send."""

import base64
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time
import urllib.parse
import urllib.request

DEFAULT_DIR = os.environ.get("CURAVANT_LRS_DIR", "/var/cache/curavant-lrs")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class LrsServer:
    """start() waits until the LRS answers; stop() ends it. Its test
    authentication takes any Basic credentials."""

    def __init__(self, lrs_dir=DEFAULT_DIR, port=None):
        self.script = os.path.join(lrs_dir, "node_modules/xapi-statements/dist/index.js")
        if not os.path.isfile(self.script):
            raise RuntimeError(f"no test LRS in {lrs_dir}: run tools/setup.sh")
        self.port = port or free_port()
        self.process = None
        self.folder = tempfile.mkdtemp(prefix="curavant-lrs-")

    @property
    def endpoint(self):
        return f"http://127.0.0.1:{self.port}/xAPI/"

    def start(self, timeout=90):
        env = dict(os.environ, AUTH_REPO="test", EVENTS_REPO="test", MODELS_REPO="memory",
                   STORAGE_REPO="memory", EXPRESS_PORT=str(self.port),
                   WINSTON_CONSOLE_LEVEL="error")
        self.log = open(os.path.join(self.folder, "lrs.log"), "ab")
        self.process = subprocess.Popen(["node", self.script], cwd=self.folder, env=env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError(f"the LRS ended at its start, see {self.log.name}")
            try:
                self.get("about")
                return self
            except OSError:
                time.sleep(0.2)
        raise RuntimeError("the LRS did not answer")

    def stop(self):
        if self.process:
            self.process.terminate()
            self.process.wait(30)
            self.process = None
            self.log.close()

    def close(self):
        self.stop()
        shutil.rmtree(self.folder, ignore_errors=True)

    def get(self, resource, **query):
        url = self.endpoint + resource
        if query:
            url += "?" + urllib.parse.urlencode(query)
        request = urllib.request.Request(url, headers={
            "X-Experience-API-Version": "1.0.3",
            "Authorization": "Basic " + base64.b64encode(b"reader:reader").decode()})
        with urllib.request.urlopen(request, timeout=30) as answer:
            return json.load(answer)

    def statements(self, **query):
        """Every statement the query finds, through all its pages."""
        found = []
        answer = self.get("statements", limit=500, **query)
        while True:
            found += answer["statements"]
            more = answer.get("more")
            if not more:
                return found
            more = urllib.parse.urlsplit(more)
            answer = self.get("statements", **dict(urllib.parse.parse_qsl(more.query)))


if __name__ == "__main__":
    # For the game's tests: runs the LRS on the port given until standard
    # input closes, and says "up" once it answers.
    import sys
    server = LrsServer(port=int(sys.argv[1])).start()
    print("up", flush=True)
    sys.stdin.read()
    server.close()
