// The design-requirements window: the pictures are decoded at the first showing, the page
// follows the window's width and only its height scrolls.
#include "Unit5.h"
#include "ui_Unit5.h"

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

// The page as designed: both boxes are anchored to its left and right edges, so their widths
// keep these distances to the page's right edge (Image1 reaches 35 px beyond it).
constexpr int designedPageWidth = 838;
constexpr int designedClientHeight = 570;

} // namespace

TForm5::TForm5(QWidget *parent)
    : QScrollArea(parent)
    , ui(std::make_unique<Ui::DesignPage>())
    , m_page(new QWidget)
{
    ui->setupUi(m_page);
    Image1 = ui->Image1;
    Image2 = ui->Image2;
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
    resize(designedPageWidth + scrollBarWidth, designedClientHeight);
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

TForm5::~TForm5() = default;

bool TForm5::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_page && event->type() == QEvent::Resize)
        followPageWidth();
    return QScrollArea::eventFilter(watched, event);
}

void TForm5::followPageWidth()
{
    const int widthChange = m_page->width() - designedPageWidth;
    Image1->setGeometry(0, -32, 873 + widthChange, 682);
    Image2->setGeometry(0, 640, 830 + widthChange, 337);
    // Qt's scroll area sets its own arrow step whenever it lays out the page.
    verticalScrollBar()->setSingleStep(scrollStep);
}
