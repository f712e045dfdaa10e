"""A real FTP server for the tests, on 127.0.0.1 and a port the system picks.

Prints the port on its first output line, then serves until it is killed.
User "tester", password "secret", home folder given by --home. Optional
faults: --refuse CMD answers 550 to every CMD, --refuse CMD:TEXT to those
whose argument holds TEXT; --drop-stor-after N closes the
session once a STOR has received N bytes (only the first time). --record FILE
appends every command line the server receives. --login-dir DIR puts the user
in DIR (a folder below the home, e.g. "/users/tester") at login instead of
"/", as a server does that does not lock users into their home folder.
"""
import argparse
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

args = None
dropped = False


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
        if args.record:
            with open(args.record, "a", encoding="utf-8") as f:
                f.write(line + "\n")
        for rule in args.refuse:
            name, _, text = rule.partition(":")
            if cmd == name and text in arg:
                self.respond("550 Refused by the test.")
                return
        super().pre_process_command(line, cmd, arg)


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
