#!/usr/bin/env python3
"""Relays the program's connections to the private cupsd, so that a test can make the spooler hang
at the moment it chooses.

spooler_proxy.py LISTEN UPSTREAM CUPSD_PID CONTROL_DIR

Every connection to the socket LISTEN is relayed to the socket UPSTREAM. While the file
CONTROL_DIR/hang-at-document exists, the first bytes of a PDF on their way to the spooler stop
cupsd (SIGSTOP) before they are relayed, and the file is removed: the spooler hangs just after it
created the job, as the document comes.
"""
import os
import signal
import socket
import sys
import threading

listen_path, upstream_path, cupsd, control = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
trap = os.path.join(control, 'hang-at-document')


def relay(source, target, to_spooler):
    tail = b''
    try:
        while True:
            data = source.recv(65536)
            if not data:
                break
            if to_spooler and b'%PDF' in tail + data and os.path.exists(trap):
                os.remove(trap)
                os.kill(cupsd, signal.SIGSTOP)
            tail = data[-3:]
            target.sendall(data)
    except OSError:
        pass
    # Either side gone: the other sees its end after what was already relayed.
    for end in (source, target):
        try:
            end.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


def serve(client):
    upstream = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    try:
        upstream.connect(upstream_path)
    except OSError:
        client.close()
        return
    threading.Thread(target=relay, args=(upstream, client, False), daemon=True).start()
    relay(client, upstream, True)


def main():
    if os.path.exists(listen_path):
        os.remove(listen_path)
    server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    server.bind(listen_path)
    server.listen(16)
    while True:
        client, _ = server.accept()
        threading.Thread(target=serve, args=(client,), daemon=True).start()


main()
