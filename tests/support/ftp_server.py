"""A real FTP server for the tests, on 127.0.0.1 and a port the system picks.

Prints the port on its first output line, then serves until it is killed.
User "tester", password "secret", home folder given by --home. Optional
faults: --refuse CMD answers 550 to every CMD, --refuse CMD:TEXT to those
whose argument holds TEXT; --drop-stor-after N closes the
session once a STOR has received N bytes (only the first time). --record FILE
appends every command line the server receives. --login-dir DIR puts the user
in DIR (a folder below the home, e.g. "/users/tester") at login instead of
"/", as a server does that does not lock users into their home folder.
--lenient-names reads every path part of an argument as a lenient server
does: normalised (NFKC), invisible characters dropped, blanks trimmed, so
"a\u00a0", "\ufeffa" and "a\u200b" all name "a" and "\u2024\u2024" names "..".
"""
import argparse
import logging
import os
import sys
import threading
import unicodedata

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

args = None
dropped = False
# Characters a lenient server drops from names.
INVISIBLE = "\u00ad\u200b\u200c\u200d\u2060\ufeff"


class FaultyDTPHandler(DTPHandler):
    def handle_read(self):
        global dropped
        super().handle_read()
        limit = args.drop_stor_after
        if limit is not None and not dropped and self.tot_bytes_received >= limit:
            dropped = True
            control = self.cmd_channel
            self.close()
            control.close()

    handle_read_event = handle_read


class RecordingHandler(FTPHandler):
    dtp_handler = FaultyDTPHandler

    def on_login(self, username):
        if args.login_dir:
            self.fs.cwd = args.login_dir

    def pre_process_command(self, line, cmd, arg):
        if args.lenient_names:
            arg = lenient(arg)
        if args.record:
            with open(args.record, "a", encoding="utf-8") as f:
                f.write(line + "\n")
        for rule in args.refuse:
            name, _, text = rule.partition(":")
            if cmd == name and text in arg:
                self.respond("550 Refused by the test.")
                return
        super().pre_process_command(line, cmd, arg)


def lenient(arg):
    parts = []
    for part in arg.split("/"):
        part = unicodedata.normalize("NFKC", part)
        parts.append("".join(c for c in part if c not in INVISIBLE).strip())
    return "/".join(parts)


def exit_with_parent():
    """Ends the server when the test that started it goes away (stdin closes)."""
    def watch():
        while sys.stdin.buffer.read(4096):
            pass
        os._exit(0)
    threading.Thread(target=watch, daemon=True).start()


def main():
    global args
    parser = argparse.ArgumentParser()
    parser.add_argument("--home", required=True)
    parser.add_argument("--refuse", action="append", default=[])
    parser.add_argument("--drop-stor-after", type=int)
    parser.add_argument("--record")
    parser.add_argument("--login-dir")
    parser.add_argument("--lenient-names", action="store_true")
    args = parser.parse_args()
    exit_with_parent()

    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_user("tester", "secret", args.home, perm="elradfmwMT")
    RecordingHandler.authorizer = authorizer
    RecordingHandler.auth_failed_timeout = 0.1
    server = FTPServer(("127.0.0.1", 0), RecordingHandler)
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever(handle_exit=False)


main()
