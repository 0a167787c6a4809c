#!/usr/bin/python3
"""The FTP server of the tests: pyftpdlib on 127.0.0.1, on a port the system chooses.

Prints "port N" once it listens, then reads commands from standard input, one a line, and
answers each with "ok" (or "error TEXT") on standard output:
  user NAME PASSWORD HOME   adds a user with every right whose root is the folder HOME
  banner TEXT               the greeting of later connections
  listing FOLDER FILE       LIST of the folder FOLDER answers with the bytes of FILE, whatever
                            the folder holds (names no real server would send)
It exits when standard input closes.
"""
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


class Handler(FTPHandler):
    # File names are bytes: undecodable ones travel as lone surrogates and back.
    unicode_errors = "surrogateescape"
    # A wrong password is answered at once, not after the usual pause.
    auth_failed_timeout = 0
    # Real folder path to the canned bytes of its listing.
    canned_listings = {}

    def ftp_LIST(self, path):
        canned = Handler.canned_listings.get(os.path.realpath(path))
        if canned is None:
            return super().ftp_LIST(path)
        self.push_dtp_data(canned, cmd="LIST")
        return path


def serve_commands(authorizer):
    for line in sys.stdin:
        command, _, rest = line.rstrip("\n").partition(" ")
        try:
            if command == "user":
                name, password, home = rest.split(" ", 2)
                authorizer.add_user(name, password, home, perm="elradfmwMT")
            elif command == "banner":
                Handler.banner = rest
            elif command == "listing":
                folder, listing = rest.split(" ", 1)
                with open(listing, "rb") as file:
                    Handler.canned_listings[os.path.realpath(folder)] = file.read()
            else:
                raise ValueError("unknown command " + command)
            print("ok", flush=True)
        except Exception as error:  # the test reads the reason
            print("error", error, flush=True)
    os._exit(0)


def main():
    logger = logging.getLogger("pyftpdlib")
    logger.addHandler(logging.StreamHandler(sys.stderr))
    logger.setLevel(logging.WARNING)
    authorizer = DummyAuthorizer()
    Handler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), Handler)
    print("port", server.socket.getsockname()[1], flush=True)
    threading.Thread(target=serve_commands, args=(authorizer,), daemon=True).start()
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
