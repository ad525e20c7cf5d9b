// The two design-code pages on welded joints, typeset like a printed standard.
#include "Drawings.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>

namespace {

const char pageStyle[] = R"(
  body { color: #141414; }
  p { text-indent: 28px; margin: 0 0 5px 0; }
  p.heading { text-indent: 0; font-size: 17px; margin: 0 0 4px 0; }
  p.subheading { text-indent: 0; margin: 0 0 9px 0; }
  p.caption { text-indent: 0; text-align: left; margin: 4px 0 3px 0; }
  td { padding: 2px 6px; text-align: center; }
  td.head { text-align: left; }
)";

// Typesets `html` into a white page of the given size; `top` leaves room above the text.
QImage typesetPage(QSize size, int top, int fontPixels, const QString &html)
{
    QImage page(size, QImage::Format_RGB32);
    page.fill(QColor(255, 255, 253));
    QTextDocument document;
    QFont font("DejaVu Serif");
    font.setPixelSize(fontPixels);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet(QString::fromLatin1(pageStyle));
    document.setDocumentMargin(0);
    const int side = 46;
    document.setTextWidth(size.width() - 2 * side);
    document.setHtml(html);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(side, top);
    document.drawContents(&painter);
    return page;
}

} // namespace

QImage drawCodePage1()
{
    const QString html = QString::fromUtf8(R"(
<p class="heading" align="center"><b>4. КОНСТРУИРОВАНИЕ СВАРНЫХ СОЕДИНЕНИЙ</b></p>
<p class="subheading" align="center"><i>Общие положения</i></p>
<p align="justify">4.1. Сварные соединения проектируют так, чтобы число и длина швов были наименьшими, швы
были доступны для сварки и контроля, а их расположение не создавало концентрации напряжений и
значительных сварочных деформаций. Катет углового шва k<sub>f</sub> не должен превышать
1,2t, где t — наименьшая толщина соединяемых элементов.</p>
<p align="justify">4.2. Катеты угловых швов принимают не менее указанных в таблице 4.1 в зависимости от
толщины более толстого из свариваемых элементов. Угловые швы с катетом менее 4 мм в несущих
конструкциях не применяют.</p>
<p class="caption">Таблица 4.1 — Наименьшие катеты угловых швов</p>
<table border="1" cellspacing="0" width="100%">
<tr><td class="head">Толщина более толстого элемента t, мм</td><td>4–5</td><td>6–10</td>
<td>11–16</td><td>17–22</td><td>23–32</td><td>33–40</td><td>41–80</td></tr>
<tr><td class="head">Наименьший катет шва k<sub>f,min</sub>, мм</td><td>4</td><td>5</td>
<td>6</td><td>7</td><td>8</td><td>9</td><td>10</td></tr>
</table>
<p align="justify" style="margin-top: 7px">4.3. Расчетная длина углового шва l<sub>w</sub> должна быть не менее
4k<sub>f</sub> и не менее 40 мм. Расчетная длина флангового шва принимается не более
85β<sub>f</sub>k<sub>f</sub>, кроме швов, в которых усилие возникает на всем их протяжении.
Расчетную длину определяют как конструктивную длину шва за вычетом 2k<sub>f</sub>, учитывающих
непровар в начале и кратер в конце шва.</p>
<p align="justify">4.4. При выборе размеров шва предпочтение отдают швам меньшего катета и большей длины:
объем наплавленного металла, а с ним трудоемкость и стоимость сварки, растет пропорционально
квадрату катета, тогда как несущая способность шва — лишь пропорционально первой степени
катета. Швы небольшого катета выполняются за один проход и вызывают меньшие сварочные деформации
и остаточные напряжения.</p>
<p align="justify">Односторонние угловые швы допускаются в тавровых соединениях элементов, работающих на
сжатие или передающих небольшие усилия, при условии учета в расчете эксцентриситета
приложения усилия. В конструкциях, эксплуатируемых при расчетной температуре ниже минус
40 °С, и в соединениях, воспринимающих динамические и вибрационные нагрузки, односторонние
угловые швы не применяют.</p>
)");
    return typesetPage(QSize(827, 691), 48, 15, html);
}

QImage drawCodePage2()
{
    const QString html = QString::fromUtf8(R"(
<p align="justify">4.5. В нахлесточных соединениях величина нахлестки должна быть не менее пяти толщин наиболее
тонкого из свариваемых элементов. Элементы, прикрепляемые только фланговыми швами, должны иметь
длину каждого шва не менее ширины элемента; расстояние между фланговыми швами не должно
превышать 16 толщин более тонкого элемента, иначе по концам элемента добавляют лобовые швы.</p>
<p align="justify">4.6. Прерывистые угловые швы допускаются только в ненесущих и слабонагруженных соединениях
конструкций, эксплуатируемых в неагрессивной среде. Расстояние между участками прерывистого
шва не должно превышать 15 толщин более тонкого элемента в сжатых и 30 толщин в растянутых
и нерабочих элементах. Концы швов, передающих расчетные усилия, выводят на выводные планки или
заваривают с обваркой углов, чтобы непровар и кратер не попадали на расчетную длину шва.</p>
<p align="justify" style="margin-top: 9px">Примечание. Наименьшие катеты по таблице 4.1 относятся к
ручной и полуавтоматической сварке; при автоматической сварке их допускается уменьшать на 1 мм,
но принимать не менее 4 мм.</p>
<p class="subheading" align="center" style="margin-top: 22px">— 14 —</p>
)");
    return typesetPage(QSize(842, 341), 26, 15, html);
}
