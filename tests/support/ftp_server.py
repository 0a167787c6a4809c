#!/usr/bin/python3
"""The FTP server of the tests: pyftpdlib on 127.0.0.1, on a port the system chooses.

Prints "port N" once it listens, then reads commands from standard input, one a line, and
answers each with "ok" (or "error TEXT") on standard output:
  user NAME PASSWORD HOME   adds a user with every right whose root is the folder HOME
  banner TEXT               the greeting of later connections
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


def serve_commands(authorizer):
    for line in sys.stdin:
        command, _, rest = line.rstrip("\n").partition(" ")
        try:
            if command == "user":
                name, password, home = rest.split(" ", 2)
                authorizer.add_user(name, password, home, perm="elradfmwMT")
            elif command == "banner":
                Handler.banner = rest
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
