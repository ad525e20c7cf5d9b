// The design-requirements window: the pictures are decoded at the first showing, the page
// follows the window's width and only its height scrolls.
#include "Unit5.h"

#include "Colours.h"
#include "DesignedFonts.h"
#include "HandlerGuard.h"
#include "JpegDecoder.h"
#include "PictureBox.h"
#include "Resources.h"

#include <QEvent>
#include <QScrollBar>
#include <QStyle>

TForm5 *Form5 = nullptr;

namespace {

constexpr int designedClientHeight = 570;

} // namespace

TForm5::TForm5(QWidget *parent)
    : QScrollArea(parent)
    , m_page(new QWidget)
{
    setupUi(m_page);
    m_designedPageWidth = m_page->width();
    m_designedImage1 = Image1->geometry();
    m_designedImage2 = Image2->geometry();
    setWindowTitle(QStringLiteral("Конструктивные требования"));
    setFont(m_page->font());
    useDesignedPixelFonts(this);
    useDesignedPixelFonts(m_page);
    setColour(this, QPalette::Window, colours::captionText);
    setColour(m_page, QPalette::Window, colours::captionText);
    setFrameShape(QFrame::NoFrame);

    // The page is exactly as high as the lowest box and always as wide as the view, so nothing
    // ever scrolls sideways; Image1's overhang is clipped by the page.
    m_page->setMinimumHeight(scrollRange);
    m_page->setMaximumHeight(scrollRange);
    setWidgetResizable(true);
    setWidget(m_page);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setSingleStep(scrollStep);
    m_page->installEventFilter(this);

    // The designed client area is 838 × 570 beside the vertical scroll bar.
    const int scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    resize(m_designedPageWidth + scrollBarWidth, designedClientHeight);
    move(118, 47);

    Image1->setPictureSource([] {
        return decodeJpeg(resourceBytes(QStringLiteral(":/design-code-1.jpg")),
                          QStringLiteral("design-code-1.jpg"));
    });
    Image2->setPictureSource([] {
        return decodeJpeg(resourceBytes(QStringLiteral(":/design-code-2.jpg")),
                          QStringLiteral("design-code-2.jpg"));
    });
}

bool TForm5::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_page && event->type() == QEvent::Resize)
        followPageWidth();
    return QScrollArea::eventFilter(watched, event);
}

void TForm5::followPageWidth()
{
    const int widthChange = m_page->width() - m_designedPageWidth;
    Image1->setGeometry(m_designedImage1.adjusted(0, 0, widthChange, 0));
    Image2->setGeometry(m_designedImage2.adjusted(0, 0, widthChange, 0));
    // Qt's scroll area sets its own arrow step whenever it lays out the page.
    verticalScrollBar()->setSingleStep(scrollStep);
}
