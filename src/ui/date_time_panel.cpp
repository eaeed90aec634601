// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/date_time_panel.hpp"

#include <QDateTime>
#include <QLabel>
#include <QTimer>

namespace lumivel {

DateTimePanel::DateTimePanel(QLabel* date, QLabel* time, QObject* parent)
    : QObject(parent), date_(date), time_(time), timer_(new QTimer(this)) {
    date_->setToolTip(QStringLiteral("indica la fecha"));
    time_->setToolTip(QStringLiteral("indica la Hora"));
    connect(timer_, &QTimer::timeout, this, &DateTimePanel::refresh);
    timer_->start(1000);
}

void DateTimePanel::refresh() {
    const QDateTime now = QDateTime::currentDateTime();
    date_->setText(now.toString(QStringLiteral("dd/MM/yyyy")));
    time_->setText(now.toString(QStringLiteral("HH:mm")));
}

} // namespace lumivel
