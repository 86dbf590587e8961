#include "shared/ui/frmSplash.h"

#include "platform/ControlTable.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/mSHAREDSubs.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace wexlo {

using platform::twips;

namespace {

const QString kArtwork = QStringLiteral(":/wexlo/splash.png");
constexpr QSize kArtworkSize(329, 163);

QLabel* overlayLabel(QWidget* parent, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setAlignment(alignment | Qt::AlignVCenter);
    // Transparent over the artwork, light text to read on its dark gradient.
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    label->resize(label->width(), label->fontMetrics().height() + 2);
    return label;
}

}  // namespace

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(mSHAREDSubs::AppTitle());

    Picture1 = new QLabel(this);
    Picture1->move(0, 0);
    Picture1->resize(kArtworkSize);
    lblCopyright = overlayLabel(Picture1, Qt::AlignLeft);
    lblTitle = overlayLabel(Picture1, Qt::AlignRight);
    lblstatus = overlayLabel(Picture1, Qt::AlignHCenter);

    // The artwork is measured in pixels and the labels over it are placed from its size when
    // the window loads, so the table only names them.
    platform::layOut({
        {Picture1, "Picture1"},
        {lblCopyright, "lblCopyright"},
        {lblTitle, "lblTitle"},
        {lblstatus, "lblstatus"},
    });

    Form_Load();
}

void frmSplash::Form_Load()
{
    OnError on(QStringLiteral("form_load"), QStringLiteral("frmSplash2"));

    // The artwork is compiled into the program; a missing one still leaves a window of its size.
    on([&] {
        const QPixmap art(kArtwork);
        if (art.isNull())
            throw RuntimeError(err::FileNotFound);
        Picture1->setPixmap(art);
        Picture1->resize(art.size());
    });

    resize(Picture1->size());

    on([&] {
        lblCopyright->move(twips(100), twips(100));
        lblCopyright->setText(QStringLiteral("(c) ") +
                              platform::clock().today().toString(QStringLiteral("yyyy")) +
                              QLatin1Char(' ') + programInfo().makerName);
        lblCopyright->resize(width() - twips(100), lblCopyright->height());
    });

    on([&] {
        lblTitle->setGeometry(width() / 2 - twips(100), twips(100), width() / 2,
                              lblTitle->height());
        lblTitle->setText(QStringLiteral("V:") + mSHAREDSubs::AppVersion());
    });

    on([&] {
        // The centre of the screen the window will appear on.
        QScreen* screen =
            parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
        if (screen == nullptr)
            throw RuntimeError(err::ObjectNotSet);
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    });

    on([&] { platform::eventPump().processEvents(); });

    lblstatus->resize(width() / 2, lblstatus->height());
    lblstatus->move((width() - lblstatus->width()) / 2 - twips(50), lblstatus->y());
    lblstatus->move(lblstatus->x(), height() - lblstatus->height() - twips(50));

    on([&] { platform::eventPump().processEvents(); });
}

}  // namespace wexlo

// The meta-object code in this unit, so that using the class links only what it needs.
#include "moc_frmSplash.cpp"
