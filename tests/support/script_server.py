"""A scripted FTP peer for login dialogues and protocol faults.

Listens on 127.0.0.1 on a port the system picks and prints the port on its
first output line. Each connection is greeted with 220 and every line received
is appended to the --record file. Replies: USER 331 (230 for a user given with
--user-ok), PASS 230, SITE and OPEN 220, PWD 257 "/", QUIT 221 (then the
connection ends), anything else 200. --mode silent never greets; --mode
longline greets with an endless line; --mode waiting sends "120" replies
without end; --mode drip greets one byte at a time without ever ending the
line; --mode slowdata answers PASV and then, for LIST and RETR, sends one byte
at a time on the data connection, and for STOR takes one byte at a time;
--mode trickle does the same with --trickle-bytes at a time (64 unless
given) for LIST and RETR, without end; --mode mute logs in and then answers
nothing. --mode listing serves a folder whose LIST sends the bytes of the
--listing file as they stand, whose RETR is refused and whose STOR takes
every byte: a server whose names and line ends are the test's own.
"""
import argparse
import os
import socket
import sys
import threading
import time

REPLIES = {"PASS": "230 Logged in.", "SITE": "220 Connected to the site.",
           "OPEN": "220 Connected to the host.", "PWD": '257 "/" is the current folder.',
           "QUIT": "221 Bye."}
# The pause between two bytes of a dripping peer.
DRIP_SECONDS = 0.05


def drip_forever(conn, receive, size=1):
    """Sends or takes size bytes per pause until the peer goes away."""
    try:
        while True:
            if receive:
                if not conn.recv(size):
                    return
            else:
                conn.sendall(b"x" * size)
            time.sleep(DRIP_SECONDS)
    except OSError:
        pass
    finally:
        conn.close()


def open_passive(conn):
    """Answers PASV with a listener whose one connection drips."""
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    # A small window, so that a sender soon has to wait for the slow reader.
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
    listener.bind(("127.0.0.1", 0))
    listener.listen(1)
    port = listener.getsockname()[1]
    conn.sendall(("227 Entering Passive Mode (127,0,0,1,%d,%d).\r\n"
                  % (port >> 8, port & 255)).encode())
    return listener


def start_drip(listener, receive, size=1):
    def run():
        data, _ = listener.accept()
        listener.close()
        drip_forever(data, receive, size)
    threading.Thread(target=run, daemon=True).start()


def send_listing(listener, path):
    """Sends the listing file on the one connection of the listener."""
    data, _ = listener.accept()
    listener.close()
    with open(path, "rb") as f:
        data.sendall(f.read())
    data.close()


def take_all(listener):
    """Takes every byte of the one connection of the listener."""
    data, _ = listener.accept()
    listener.close()
    while data.recv(65536):
        pass
    data.close()


def serve_listing(conn, cmd, listener, args):
    """The data commands of --mode listing; False for the others."""
    if cmd == "RETR":
        listener.close()
        conn.sendall(b"550 No such file.\r\n")
        return True
    if cmd not in ("LIST", "STOR"):
        return False
    conn.sendall(b"150 Opening data connection.\r\n")
    if cmd == "LIST":
        send_listing(listener, args.listing)
    else:
        take_all(listener)
    conn.sendall(b"226 Transfer complete.\r\n")
    return True


def serve(conn, args):
    if args.mode == "silent":
        while conn.recv(4096):
            pass
        return
    if args.mode == "longline":
        chunk = b"220 " + b"x" * 65536
        while True:
            conn.sendall(chunk)
    if args.mode == "waiting":
        while True:
            conn.sendall(b"120 Ready in a moment.\r\n" * 64)
    if args.mode == "drip":
        conn.sendall(b"220 ")
        drip_forever(conn, False)
        return
    conn.sendall(b"220 Scripted server ready.\r\n")
    listener = None
    data = b""
    while True:
        chunk = conn.recv(4096)
        if not chunk:
            return
        data += chunk
        while b"\r\n" in data:
            line, data = data.split(b"\r\n", 1)
            text = line.decode("utf-8", "replace")
            with open(args.record, "a", encoding="utf-8") as f:
                f.write(text + "\n")
            cmd, _, arg = text.partition(" ")
            cmd = cmd.upper()
            if args.mode == "mute" and cmd not in ("USER", "PASS"):
                continue
            slow = args.mode in ("slowdata", "trickle")
            if (slow or args.mode == "listing") and cmd == "PASV":
                listener = open_passive(conn)
                continue
            if args.mode == "listing" and listener and serve_listing(conn, cmd, listener, args):
                listener = None
                continue
            if slow and cmd in ("LIST", "RETR", "STOR") and listener:
                size = args.trickle_bytes if args.mode == "trickle" and cmd != "STOR" else 1
                start_drip(listener, cmd == "STOR", size)
                listener = None
                conn.sendall(b"150 Opening data connection.\r\n")
                continue
            if cmd == "USER":
                reply = "230 No password needed." if arg in args.user_ok else "331 Password required."
            else:
                reply = REPLIES.get(cmd, "200 OK.")
            conn.sendall(reply.encode() + b"\r\n")
            if cmd == "QUIT":
                return


def exit_with_parent():
    """Ends the server when the test that started it goes away (stdin closes)."""
    def watch():
        while sys.stdin.buffer.read(4096):
            pass
        os._exit(0)
    threading.Thread(target=watch, daemon=True).start()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--record", default="/dev/null")
    parser.add_argument("--user-ok", action="append", default=[])
    parser.add_argument("--mode", default="dialogue")
    parser.add_argument("--trickle-bytes", type=int, default=64)
    parser.add_argument("--listing")
    args = parser.parse_args()
    exit_with_parent()
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(5)
    print(listener.getsockname()[1], flush=True)
    while True:
        conn, _ = listener.accept()
        try:
            serve(conn, args)
        except OSError:
            pass
        finally:
            conn.close()


main()
