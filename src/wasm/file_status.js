// SPDX-License-Identifier: GPL-3.0-or-later
// emscripten 3.1.6 answers fstat() by looking the file up again by the path it was opened
// with, so a file renamed over another (how message files are replaced safely) can no
// longer be asked about through its descriptor. Its node is what the descriptor holds.
mergeInto(LibraryManager.library, {
    __syscall_fstat64__deps: ['$SYSCALLS', '$FS'],
    __syscall_fstat64: function (fd, buf) {
        try {
            var stream = SYSCALLS.getStreamFromFD(fd);
            var node = stream.node;
            return SYSCALLS.doStat(function () { return node.node_ops.getattr(node); },
                                   stream.path, buf);
        } catch (e) {
            if (typeof FS == 'undefined' || !(e instanceof FS.ErrnoError)) throw e;
            return -e.errno;
        }
    },
});
