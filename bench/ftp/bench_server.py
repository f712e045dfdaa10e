"""The FTP server of the publishing benchmark: pyftpdlib on 127.0.0.1 on a
port the system picks (printed first), user "tester", password "secret".
Appends to the --stats file one line per command ("cmd NAME") and per data
connection ("data IN OUT": bytes received and sent). Ends when stdin closes.
"""
import argparse
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

stats = None


def record(line):
    with open(stats, "a", encoding="ascii") as f:
        f.write(line + "\n")


class CountingDTPHandler(DTPHandler):
    counted = False

    def close(self):
        if not self.counted:
            self.counted = True
            record("data %d %d" % (self.tot_bytes_received, self.tot_bytes_sent))
        super().close()


class CountingHandler(FTPHandler):
    dtp_handler = CountingDTPHandler

    def pre_process_command(self, line, cmd, arg):
        record("cmd " + cmd)
        super().pre_process_command(line, cmd, arg)


def main():
    global stats
    parser = argparse.ArgumentParser()
    parser.add_argument("--home", required=True)
    parser.add_argument("--stats", required=True)
    args = parser.parse_args()
    stats = args.stats

    def watch():
        while sys.stdin.buffer.read(4096):
            pass
        os._exit(0)
    threading.Thread(target=watch, daemon=True).start()

    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_user("tester", "secret", args.home, perm="elradfmwMT")
    CountingHandler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), CountingHandler)
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever(handle_exit=False)


main()
