// The frame's step list: which step is highlighted in which colour, the pictures of bitmap
// 8105 in the decorations, and icon 8103 for the pages.
#include <QApplication>
#include <QBitmap>
#include <QEvent>
#include <QPainter>
#include <QPalette>

#include <algorithm>

#include "wizard/frame/BaseDlg.h"
#include "wizard/frame/FrameControls.h"

using namespace qx4t::frame;

void CBaseDlg::LoadStepPictures() {
    m_brNormalStep = QApplication::palette().color(QPalette::Button);

    // Bitmap 8105 holds one 16 x 16 picture per 16 pixels of width; white is transparent.
    const QPixmap strip = qx4t::res::loadBitmap(8105);
    for (int x = 0; x + 16 <= strip.width(); x += 16) {
        QPixmap image = strip.copy(x, 0, 16, std::min(16, strip.height()));
        image.setMask(image.createMaskFromColor(Qt::white, Qt::MaskInColor));
        m_StepImageList.append(image);
    }

    m_hIcon = qx4t::res::loadIcon(8103);
    if (!m_hIcon.isNull()) {
        m_IconList.append(m_hIcon);
    }
}

void CBaseDlg::WatchDecorations() {
    for (int id = kFirstDecoration; id <= kLastDecoration; ++id) {
        if (QWidget* decoration = item(id)) {
            decoration->installEventFilter(this);
        }
    }
}

void CBaseDlg::ShowProgressMenu(int nCmdShow) {
    for (int i = 0; i < 5; ++i) {
        showItem(kFirstStepMarker + i, nCmdShow == SW_SHOW);
        showItem(kFirstStepLabel + i, nCmdShow == SW_SHOW);
    }
    for (int id = kFirstDecoration; id <= kLastDecoration; ++id) {
        showItem(id, nCmdShow == SW_SHOW);
    }
}

QColor CBaseDlg::OnCtlColor(int nCtlId) const {
    if (nCtlId < kFirstStepMarker || nCtlId > kLastStepLabel) {
        return {};
    }
    if (nCtlId < kFirstStepLabel) {
        return QColor(Qt::transparent);
    }
    const int page = kFirstStepPage + (nCtlId - kFirstStepLabel);
    if (page != m_nCurrentPage) {
        return m_brNormalStep;
    }
    return nCtlId == kLastStepLabel ? m_brFinishStep : m_brCurrentStep;
}

void CBaseDlg::OnPaint() {
    for (int id = kFirstStepMarker; id <= kLastStepLabel; ++id) {
        QWidget* w = item(id);
        if (w == nullptr) {
            continue;
        }
        const QColor colour = OnCtlColor(id);
        const bool fill = colour.isValid() && colour.alpha() != 0;
        w->setAutoFillBackground(fill);
        if (fill) {
            QPalette palette = w->palette();
            palette.setColor(w->backgroundRole(), colour);
            w->setPalette(palette);
        }
        w->update();
    }
    for (int id = kFirstDecoration; id <= kLastDecoration; ++id) {
        if (QWidget* w = item(id)) {
            w->update();
        }
    }
}

bool CBaseDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || m_StepImageList.isEmpty()) {
        return Dialog::eventFilter(watched, event);
    }
    auto* w = qobject_cast<QWidget*>(watched);
    bool decoration = false;
    for (int id = kFirstDecoration; id <= kLastDecoration && !decoration; ++id) {
        decoration = w != nullptr && item(id) == w;
    }
    if (!decoration) {
        return Dialog::eventFilter(watched, event);
    }
    // Centred, truncating toward zero as the control's size may be odd or below 16.
    QPainter painter(w);
    painter.drawPixmap((w->width() - 16) / 2, (w->height() - 16) / 2, m_StepImageList.front());
    return true;
}
