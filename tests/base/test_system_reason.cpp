// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/system_reason.hpp"

#include <QtTest>
#include <cerrno>
#include <cstring>

using namespace lumivel;

class SystemReasonTest : public QObject {
    Q_OBJECT
  private slots:
    // Every reason a user can cause with a file or a port reads in Spanish, never as the C
    // library's English text, and no two of them read alike.
    void reasons_users_meet_are_spanish() {
        const int errors[] = {ENOSPC,  EFBIG,  EACCES, EPERM, EROFS, ENOENT,      EISDIR,
                              ENOTDIR, ENOTTY, EBUSY,  EIO,   ELOOP, ENAMETOOLONG};
        QSet<QString> seen;
        for (const int error : errors) {
            const QString reason = QString::fromStdString(systemReason(error));
            QVERIFY2(reason != QString::fromUtf8(std::strerror(error)), qPrintable(reason));
            QVERIFY2(!seen.contains(reason), qPrintable(reason));
            seen.insert(reason);
        }
        QCOMPARE(QString::fromStdString(systemReason(ENOSPC)), "no queda espacio en el disco");
        QCOMPARE(QString::fromStdString(systemReason(ENOTTY)), "no es un puerto serie");
    }
    void an_unusual_error_names_its_number() {
        QCOMPARE(QString::fromStdString(systemReason(EHWPOISON)),
                 QString("error del sistema número %1").arg(EHWPOISON));
    }
};

QTEST_APPLESS_MAIN(SystemReasonTest)
#include "test_system_reason.moc"
