#!/usr/bin/env python3
"""Plays an X server that is still starting: listens on SOCKET, hangs up on the first client (an X client then
fails to open its display), then links SERVER_SOCKET, a running server's socket, in its place and exits, so
that the client's next try reaches that server.

    refuse_first_client.py SOCKET SERVER_SOCKET SECONDS
Exit code 0 once the server is in place, 1 when no client came within SECONDS."""
import os
import socket
import sys


def main():
    path, server_path, seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])
    listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    listener.bind(path + ".starting")
    listener.listen()
    os.rename(path + ".starting", path)  # the name appears only once it takes connections
    listener.settimeout(seconds)
    try:
        client, _ = listener.accept()
    except socket.timeout:
        os.unlink(path)
        print(f"refuse_first_client: no client on {path} within {seconds:g} s", file=sys.stderr)
        return 1
    client.close()
    os.link(server_path, path + ".ready")
    os.rename(path + ".ready", path)
    listener.close()
    return 0


sys.exit(main())
