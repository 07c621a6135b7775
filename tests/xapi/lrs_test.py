"""curavant-sim --statements and --send against a real LRS: Learning Locker's
statement service run in memory on a free loopback port. Records are made by
curavant-coursegen, which records games as the game's recorder does."""

import base64
import csv
import glob
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "../../tools/lrs"))
from lrsserver import LrsServer  # noqa: E402
from front import Front  # noqa: E402

SIM = os.environ["CURAVANT_SIM"]
COURSEGEN = os.environ["CURAVANT_COURSEGEN"]
SECRET = "Geheimnis-7f3c-sekret"
BASE = "https://training.example/curavant"
HOME = "https://lms.example/"


class LrsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.lrs = LrsServer().start()
        cls.scratch = tempfile.mkdtemp(prefix="curavant-xapi-")
        os.makedirs(f"{cls.scratch}/config/curavant")
        with open(f"{cls.scratch}/config/curavant/curavant.ini", "w") as ini:
            ini.write(f"[xapi]\nactivityBase={BASE}\nhomePage={HOME}\n")
        cls.credentials = f"{cls.scratch}/lrs-key"
        with open(os.open(cls.credentials, os.O_CREAT | os.O_WRONLY, 0o600), "w") as key:
            key.write(f"curavant-test:{SECRET}\n")

    @classmethod
    def tearDownClass(cls):
        cls.lrs.close()
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def setUp(self):
        self.outputs = []
        self.learner = "trainee-" + self.id().rsplit(".", 1)[1]

    # Nothing the program printed or wrote holds the secret, nor its Basic form.
    def tearDown(self):
        basic = base64.b64encode(f"curavant-test:{SECRET}".encode()).decode()
        texts = list(self.outputs)
        for path in glob.glob(f"{self.scratch}/**/*", recursive=True):
            if os.path.isfile(path) and not path.endswith("key"):
                with open(path, "rb") as f:
                    texts.append(f.read().decode("utf-8", "replace"))
        for text in texts:
            self.assertNotIn(SECRET, text)
            self.assertNotIn(basic, text)

    def records(self, name, games):
        folder = f"{self.scratch}/{name}"
        subprocess.run([COURSEGEN, folder, str(games), "120"], check=True,
                       stderr=subprocess.DEVNULL)
        for table in glob.glob(f"{folder}/*.csv"):  # games that ended a minute ago
            os.utime(table, (time.time() - 60,) * 2)
        return folder

    def env(self, **extra):
        return dict(os.environ, XDG_CONFIG_HOME=f"{self.scratch}/config",
                    CURAVANT_LEARNER=self.learner, **extra)

    def sim(self, *args, env=None):
        run = subprocess.run([SIM, *args], capture_output=True, text=True, timeout=120,
                             env=env or self.env())
        self.outputs += [run.stdout, run.stderr]
        return run

    def send(self, folder, endpoint=None, *options):
        return self.sim("--send", endpoint or self.lrs.endpoint, "--credentials",
                        self.credentials, *options, folder)

    @staticmethod
    def games(folder):
        return sorted(p[:-4] for p in glob.glob(f"{folder}/curavant-*.csv"))

    @staticmethod
    def statements(game):
        with open(game + ".xapi.json") as f:
            return json.load(f)

    def stored(self, game):
        registration = self.statements(game)[0]["context"]["registration"]
        return self.lrs.statements(registration=registration)

    def assertStoredOnce(self, game):
        ids = [s["id"] for s in self.statements(game)]
        stored = [s["id"] for s in self.stored(game)]
        self.assertEqual(sorted(stored), sorted(ids))
        self.assertEqual(len(set(ids)), len(ids))

    def test_games_sent_are_read_back_by_registration_once(self):
        folder = self.records("readback", 2)
        run = self.send(folder)
        self.assertEqual((run.returncode, run.stderr), (0, ""))
        total = sum(len(self.statements(g)) for g in self.games(folder))
        self.assertEqual(run.stdout, f"2 records sent ({total} statements)\n")
        for game in self.games(folder):
            self.assertStoredOnce(game)
            # The statements' content is worked out by hand in statements_test.
            stored = {s["id"]: s for s in self.stored(game)}
            with open(game + ".csv") as f:
                last = list(csv.DictReader(f))[-1]
            completed = next(s for s in stored.values() if s["verb"]["id"].endswith("completed"))
            self.assertEqual(completed["result"]["score"]["raw"], int(last["score"]))
            self.assertEqual(completed["result"]["duration"], "PT120S")
            self.assertEqual(completed["result"]["extensions"][BASE + "/extensions/lived"],
                             last["alive"] == "1")
            self.assertEqual(completed["object"]["id"], BASE + "/scenarios/fraktur")
            self.assertEqual(completed["actor"]["account"],
                             {"homePage": HOME, "name": self.learner})
            self.assertTrue(os.path.isfile(game + ".xapi.sent"))

        # Sent again, nothing goes; unmarked, all goes again and the LRS
        # keeps one of each.
        run = self.send(folder)
        self.assertEqual((run.returncode, run.stdout), (0, "0 records sent (0 statements)\n"))
        for mark in glob.glob(f"{folder}/*.xapi.sent"):
            os.remove(mark)
        self.assertEqual(self.send(folder).returncode, 0)
        for game in self.games(folder):
            self.assertStoredOnce(game)

    def test_the_same_game_gives_the_same_statements(self):
        folder = self.records("same", 1)
        copy = f"{self.scratch}/same-copy"
        shutil.copytree(folder, copy)
        for where in (folder, copy):
            self.assertEqual(self.sim("--statements", where).returncode, 0)
        first, second = (self.statements(g) for g in self.games(folder) + self.games(copy))
        self.assertEqual(first, second)
        # Made once: another learner later changes nothing.
        self.learner = "someone-else"
        self.assertEqual(self.sim("--statements", folder).returncode, 0)
        self.assertEqual(self.statements(self.games(folder)[0]), first)

    def test_a_game_still_being_recorded_is_left_for_later(self):
        folder = self.records("playing", 2)
        playing = self.games(folder)[1]
        os.utime(playing + ".csv")
        run = self.send(folder)
        self.assertEqual(run.returncode, 0)
        self.assertEqual(run.stderr, f"curavant-sim: {os.path.basename(playing)}: the game is "
                                     "still being recorded; left for later\n")
        self.assertTrue(run.stdout.startswith("1 records sent"), run.stdout)
        self.assertFalse(os.path.exists(playing + ".xapi.json"))

    def test_a_send_killed_half_way_and_repeated_stores_each_statement_once(self):
        folder = self.records("killed", 12)
        front = Front(self.lrs.port, pause=0.3)
        try:
            process = subprocess.Popen([SIM, "--send", front.endpoint, "--credentials",
                                        self.credentials, folder], env=self.env(),
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            while len(glob.glob(f"{folder}/*.xapi.sent")) < 2 and process.poll() is None:
                time.sleep(0.01)
            process.send_signal(signal.SIGKILL)
            process.wait()
        finally:
            front.close()
        marked = len(glob.glob(f"{folder}/*.xapi.sent"))
        self.assertGreaterEqual(marked, 2)
        self.assertLess(marked, 12)
        run = self.send(folder)
        self.assertEqual((run.returncode, run.stderr), (0, ""))
        self.assertTrue(run.stdout.startswith(f"{12 - marked} records sent"), run.stdout)
        for game in self.games(folder):
            self.assertStoredOnce(game)

    def test_a_statement_the_lrs_refuses_is_named_in_one_line(self):
        folder = self.records("refused", 2)
        self.assertEqual(self.sim("--statements", folder).returncode, 0)
        good, bad = self.games(folder)
        statements = self.statements(bad)
        statements[3]["timestamp"] = "gestern"
        with open(bad + ".xapi.json", "w") as f:
            json.dump(statements, f)
        run = self.send(folder)
        self.assertEqual(run.returncode, 1)
        name = os.path.basename(bad)
        self.assertRegex(run.stderr, rf"\Acuravant-sim: {name}: the LRS refused its statements "
                                     r"\(400\): [^\n]*Problem in 'statements\.3\.timestamp'[^\n]*\n\Z")
        self.assertTrue(os.path.isfile(good + ".xapi.sent"))
        self.assertFalse(os.path.exists(bad + ".xapi.sent"))

    def test_an_lrs_that_is_down_leaves_the_records_unsent_until_it_is_up(self):
        folder = self.records("down", 2)
        self.lrs.stop()
        try:
            run = self.send(folder)
        finally:
            self.lrs.start()
        self.assertEqual(run.returncode, 1)
        self.assertRegex(run.stderr, r"\Acuravant-sim: curavant-[-\d]+: not sent, the LRS could "
                                     r"not take it after 5 tries \(Connection refused\)[^\n]*\n\Z")
        # Sent once it is up: tests/e2e/send_test.cpp.
        self.assertEqual(glob.glob(f"{folder}/*.xapi.sent"), [])

    def test_tls_is_verified_against_the_ca_file_named(self):
        folder = self.records("tls", 1)
        certificate, key = f"{self.scratch}/front.pem", f"{self.scratch}/front.key"
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1",
                        "-subj", "/CN=localhost", "-addext", "subjectAltName=IP:127.0.0.1",
                        "-keyout", key, "-out", certificate], check=True, capture_output=True)
        front = Front(self.lrs.port, certificate, key)
        try:
            refused = self.send(folder, front.endpoint)
            accepted = self.send(folder, front.endpoint, "--ca-file", certificate)
        finally:
            front.close()
        self.assertEqual(refused.returncode, 1)
        self.assertRegex(refused.stderr, r"\Acuravant-sim: the LRS at 127\.0\.0\.1 is not "
                                         r"trusted: [^\n]*self[- ]signed[^\n]*\n\Z")
        self.assertEqual((accepted.returncode, accepted.stderr), (0, ""))
        self.assertStoredOnce(self.games(folder)[0])
        basic = "Basic " + base64.b64encode(f"curavant-test:{SECRET}".encode()).decode()
        self.assertEqual(set(front.authorizations), {basic})

    def test_unsafe_setups_are_refused_before_anything_is_sent(self):
        folder = self.records("unsafe", 1)
        open_key = f"{self.scratch}/open-key"  # tearDown reads no *key
        with open(open_key, "w") as f:
            f.write(f"curavant-test:{SECRET}\n")
        os.chmod(open_key, 0o644)
        no_colon = f"{self.scratch}/no-colon"
        with open(os.open(no_colon, os.O_CREAT | os.O_WRONLY, 0o600), "w") as f:
            f.write("just-a-key\n")
        for args, env, message in [
            (["--credentials", open_key], {}, "others can read it"),
            (["--credentials", no_colon], {}, "must hold one line KEY:SECRET"),
            ([], {}, "no credentials file"),
            (["--credentials", self.credentials, "--ca-file", no_colon], {}, "holds no certificate"),
            ([], {"CURAVANT_LRS_CREDENTIALS": open_key}, "others can read it"),
        ]:
            run = self.sim("--send", self.lrs.endpoint, *args, folder, env=self.env(**env))
            self.assertEqual(run.returncode, 2, args)
            self.assertIn(message, run.stderr)
        for endpoint, message in [
            ("http://lrs.example/xAPI/", "plain http is refused except to this machine"),
            (f"http://user:pw@127.0.0.1:{self.lrs.port}/xAPI/", "must not hold a user"),
            ("ftp://lrs.example/", "must start with https://"),
        ]:
            run = self.send(folder, endpoint)
            self.assertEqual(run.returncode, 2, endpoint)
            self.assertIn(message, run.stderr)
        self.assertEqual(glob.glob(f"{folder}/*.xapi.*"), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
