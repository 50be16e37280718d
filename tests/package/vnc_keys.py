#!/usr/bin/env python3
"""Types keys into a program shown on Qt's vnc platform, as a user at the
screen would: connects to the VNC server (retrying until it listens),
then sends each character of TEXT and a Return (or, for TEXT "key:F1", the
F1 key alone), and stays connected until the file WAIT_FOR exists.

usage: vnc_keys.py PORT TEXT TIMEOUT_SECONDS [WAIT_FOR]
"""
import os
import socket
import struct
import sys
import time


def connect(port, timeout):
    deadline = time.monotonic() + timeout
    while True:
        try:
            return socket.create_connection(("127.0.0.1", port), timeout=timeout)
        except OSError:
            if time.monotonic() > deadline:
                raise SystemExit(f"no VNC server on port {port} within {timeout} s")
            time.sleep(0.1)  # poll interval while the program starts


def read_exact(sock, count):
    data = b""
    while len(data) < count:
        part = sock.recv(count - len(data))
        if not part:
            raise SystemExit("the VNC server closed the connection")
        data += part
    return data


def handshake(sock):
    version = read_exact(sock, 12)
    if not version.startswith(b"RFB "):
        raise SystemExit(f"not a VNC server: {version!r}")
    if version.startswith(b"RFB 003.003"):
        # Version 3.3 (Qt's server): the server names the one security type.
        sock.sendall(b"RFB 003.003\n")
        (kind,) = struct.unpack(">I", read_exact(sock, 4))
        if kind != 1:
            raise SystemExit(f"the VNC server wants security type {kind}")
    else:
        sock.sendall(b"RFB 003.008\n")
        (count,) = struct.unpack("B", read_exact(sock, 1))
        if count == 0:
            raise SystemExit("the VNC server refused the connection")
        types = read_exact(sock, count)
        if 1 not in types:
            raise SystemExit(f"the VNC server wants a password: {list(types)}")
        sock.sendall(b"\x01")
        (result,) = struct.unpack(">I", read_exact(sock, 4))
        if result != 0:
            raise SystemExit("the VNC server refused the connection")
    sock.sendall(b"\x01")  # shared
    header = read_exact(sock, 24)
    (name_length,) = struct.unpack(">I", header[20:24])
    read_exact(sock, name_length)


def key(sock, keysym):
    for down in (1, 0):
        sock.sendall(struct.pack(">BBxxI", 4, down, keysym))


def main():
    port = int(sys.argv[1])
    text = sys.argv[2]
    timeout = float(sys.argv[3])
    wait_for = sys.argv[4] if len(sys.argv) > 4 else None
    sock = connect(port, timeout)
    handshake(sock)
    if text == "key:F1":
        key(sock, 0xFFBE)  # F1
    else:
        for ch in text:
            key(sock, ord(ch))  # Latin-1 keysyms are the characters' codes
        key(sock, 0xFF0D)  # Return
    # The connection stays open until the keys have had their effect (the
    # file WAIT_FOR appears), so none is lost when the client goes away.
    if wait_for:
        deadline = time.monotonic() + timeout
        while not os.path.exists(wait_for):
            if time.monotonic() > deadline:
                raise SystemExit(f"{wait_for} did not appear within {timeout} s of the keys")
            time.sleep(0.1)  # poll interval
    sock.close()


if __name__ == "__main__":
    main()
