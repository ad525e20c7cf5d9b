// TBrauzer1: the four handlers of the browser control's events.
#include "Brauzer1.h"

#include "Cp1251.h"
#include "DesignedFonts.h"
#include "HandlerGuard.h"
#include "PanelStatusBar.h"
#include "WebBrowser.h"
#include "WindowPlacement.h"

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

TBrauzer1 *Brauzer1 = nullptr;

TBrauzer1::TBrauzer1(QWidget *parent)
    : QWidget(parent)
{
    setupUi(this);
    useDesignedPixelFonts(this);
    placeWindow(this, 137, 90, 839, 479);

    StatusBar1->addPanel(550);
    StatusBar1->addPanel(50, QStringLiteral("Упр.-  через контекстное меню"));

    connectHandler(WebBrowser1, &WebBrowser::DownloadBegin, this, &TBrauzer1::WebBrowser1DownloadBegin);
    connectHandler(WebBrowser1, &WebBrowser::DownloadComplete, this,
                   &TBrauzer1::WebBrowser1DownloadComplete);
    connect(WebBrowser1, &WebBrowser::ProgressChange, this,
            guarded([this](int Progress, int ProgressMax) {
                WebBrowser1ProgressChange(WebBrowser1, Progress, ProgressMax);
            }));
    connect(WebBrowser1, &WebBrowser::StatusTextChange, this,
            guarded([this](const QString &Text) { WebBrowser1StatusTextChange(WebBrowser1, Text); }));
}

void TBrauzer1::WebBrowser1DownloadBegin(QObject * /*Sender*/)
{
    StatusBar1->setPanelText(0, QStringLiteral("     Загрузка......."));
    const QString address = WebBrowser1->LocationURL();
    // Captions hold code-page text: what the code page lacks shows as "?".
    setWindowTitle(restrictToCp1251(captionPrefix() + address));
}

void TBrauzer1::WebBrowser1DownloadComplete(QObject * /*Sender*/)
{
    StatusBar1->setPanelText(0, QStringLiteral("   Ok!"));
}

void TBrauzer1::WebBrowser1ProgressChange(QObject * /*Sender*/, int Progress, int ProgressMax)
{
    // A negative maximum cannot be the bar's (its minimum is 0): such a report is ignored whole.
    if (ProgressMax < 0)
        return;
    const int position = ProgressBar1->value();
    if (ProgressBar1->maximum() != ProgressMax)
        ProgressBar1->setMaximum(ProgressMax);
    // The bar holds its position within its range, as the system's bar does (Qt's would reset
    // a position outside the new range, or ignore a new one outside it).
    const qint64 advanced = qint64(std::max(position, 0)) + Progress;
    ProgressBar1->setValue(int(std::clamp<qint64>(advanced, 0, ProgressMax)));
}

void TBrauzer1::WebBrowser1StatusTextChange(QObject * /*Sender*/, const QString &Text)
{
    StatusBar1->setPanelText(0, restrictToCp1251(Text));
}
