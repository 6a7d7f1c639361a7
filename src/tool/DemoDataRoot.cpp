#include "DemoDataRoot.h"

#include "config/TEP_Config.h"
#include "config/UserSettings.h"
#include "documents/TEP_DocsNode.h"
#include "report/DeviceScales.h"
#include "report/JpegCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>

namespace {
// Pages are drawn in the coordinates of a 150 dpi A4 page and scaled to the
// resolution asked.
constexpr int kBaseDpi = 150;
constexpr QSize kPortrait(1240, 1754);
constexpr QSize kLandscape(1754, 1240);
const QString kSans = QStringLiteral("Liberation Sans");
const QString kSerif = QStringLiteral("Liberation Serif");

QImage BlankPage(QSize base, int dpi)
{
    QImage page(base * dpi / kBaseDpi, QImage::Format_RGB32);
    page.fill(Qt::white);
    DeviceScales::SetResolution(page, dpi);
    return page;
}

void Begin(QPainter& painter, int dpi)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(double(dpi) / kBaseDpi, double(dpi) / kBaseDpi);
}

void Text(QPainter& painter, const QRectF& box, const QString& text, const QString& family, int pixels,
    bool bold = false, int flags = Qt::AlignLeft | Qt::AlignVCenter, QColor colour = Qt::black)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, flags, text);
}

void Heading(QPainter& painter, const QString& title, const QString& instruction, int width)
{
    Text(painter, QRectF(90, 70, 600, 40), QStringLiteral("Nom : ........................"), kSans, 26);
    Text(painter, QRectF(width - 450, 70, 360, 40), QStringLiteral("Date : ....................."), kSans, 26);
    Text(painter, QRectF(0, 130, width, 80), title, kSerif, 56, true, Qt::AlignCenter, QColor(0x1f, 0x3a, 0x93));
    Text(painter, QRectF(90, 220, width - 180, 50), instruction, kSans, 28, false, Qt::AlignLeft | Qt::AlignVCenter,
        QColor(0x33, 0x33, 0x33));
}

// Lines of a French exercise book: a red margin, blue guide lines.
void Ruling(QPainter& painter, const QRectF& area, double step)
{
    painter.setPen(QPen(QColor(0x9d, 0xb7, 0xe6), 1.2));
    for (double y = area.top(); y <= area.bottom(); y += step)
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    painter.setPen(QPen(QColor(0xd3, 0x3a, 0x3a), 2));
    painter.drawLine(QPointF(area.left() + 110, area.top()), QPointF(area.left() + 110, area.bottom()));
}

Outcome SavePage(const QImage& page, const QString& path, int dpi)
{
    QString error;
    if (!JpegCodec::EncodeToFile(page, path, dpi, &error))
        return Outcome::Failure(QStringLiteral("Impossible d'écrire « %1 » : %2").arg(path, error));
    return {};
}

TEP_DocsNode* Child(TEP_DocsNode* folder, const QString& name)
{
    return folder ? folder->FindChildByName(name) : nullptr;
}
} // namespace

QImage DemoDataRoot::DictationPage(int dpi)
{
    QImage page = BlankPage(kPortrait, dpi);
    QPainter painter(&page);
    Begin(painter, dpi);
    Heading(painter, QStringLiteral("Dictée"),
        QStringLiteral("Écoute la consigne, puis écris la dictée sur les lignes."), kPortrait.width());
    Text(painter, QRectF(90, 300, 1060, 190),
        QStringLiteral("Mots à retenir : la forêt, un écureuil, les feuilles, doucement, l'automne, "
                       "ils ramassent, des noisettes."),
        kSerif, 30, false, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    painter.setPen(QPen(QColor(0x1f, 0x3a, 0x93), 2));
    painter.drawRoundedRect(QRectF(80, 290, 1080, 120), 12, 12);
    Ruling(painter, QRectF(80, 470, 1080, 1180), 64);
    Text(painter, QRectF(90, 1680, 1060, 40), QStringLiteral("Relis-toi : accords, accents et points."), kSans, 24,
        false, Qt::AlignLeft | Qt::AlignVCenter, QColor(0x66, 0x66, 0x66));
    return page;
}

QImage DemoDataRoot::AdditionsPage(int dpi)
{
    QImage page = BlankPage(kPortrait, dpi);
    QPainter painter(&page);
    Begin(painter, dpi);
    Heading(painter, QStringLiteral("Additions"), QStringLiteral("Calcule et écris le résultat dans la case."),
        kPortrait.width());
    const int numbers[12][2] = {{27, 15}, {38, 24}, {46, 37}, {19, 58}, {63, 29}, {75, 16}, {124, 38}, {257, 46},
        {308, 95}, {449, 72}, {536, 187}, {698, 245}};
    for (int index = 0; index < 12; ++index) {
        const double x = 110 + (index % 2) * 540;
        const double y = 330 + (index / 2) * 200;
        const QString sum = QStringLiteral("%1 + %2 =").arg(numbers[index][0]).arg(numbers[index][1]);
        Text(painter, QRectF(x, y, 280, 90), sum, kSans, 44, false, Qt::AlignRight | Qt::AlignVCenter);
        painter.setPen(QPen(QColor(0x2e, 0x7d, 0x32), 3));
        painter.setBrush(QColor(0xf1, 0xf8, 0xe9));
        painter.drawRect(QRectF(x + 300, y + 5, 170, 80));
    }
    painter.setBrush(Qt::NoBrush);
    Text(painter, QRectF(110, 1560, 1000, 50),
        QStringLiteral("Problème : Tom a 36 billes, il en gagne 27. Combien en a-t-il ?"), kSans, 30);
    painter.setPen(QPen(QColor(0x2e, 0x7d, 0x32), 3));
    painter.drawRect(QRectF(110, 1620, 1020, 90));
    return page;
}

QImage DemoDataRoot::MapPage(int dpi)
{
    QImage page = BlankPage(kLandscape, dpi);
    QPainter painter(&page);
    Begin(painter, dpi);
    Heading(painter, QStringLiteral("Les fleuves de France"),
        QStringLiteral("Écris le nom de chaque fleuve dans sa case."), kLandscape.width());
    // The country, drawn by hand: an outline close enough for a school map.
    const QPointF outline[] = {{330, 330}, {470, 300}, {560, 360}, {720, 330}, {830, 420}, {850, 560}, {800, 640},
        {840, 760}, {800, 900}, {900, 1000}, {760, 1080}, {600, 1040}, {480, 1110}, {360, 1060}, {380, 900}, {330, 760},
        {230, 640}, {150, 600}, {200, 540}, {330, 520}};
    QPainterPath country;
    country.addPolygon(QPolygonF(std::begin(outline), std::end(outline)));
    country.closeSubpath();
    painter.setPen(QPen(QColor(0x55, 0x55, 0x55), 3));
    painter.setBrush(QColor(0xf3, 0xea, 0xc8));
    painter.drawPath(country);
    painter.setBrush(Qt::NoBrush);
    const QPen river(QColor(0x1e, 0x63, 0xd6), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QPointF rivers[4][4] = {
        {{700, 450}, {600, 470}, {520, 430}, {430, 400}}, // north
        {{650, 620}, {520, 620}, {400, 640}, {250, 620}}, // west
        {{560, 800}, {470, 860}, {400, 900}, {370, 940}}, // south-west
        {{800, 560}, {760, 700}, {740, 850}, {760, 1010}}, // south-east
    };
    for (int index = 0; index < 4; ++index) {
        painter.setPen(river);
        QPainterPath path(rivers[index][0]);
        path.cubicTo(rivers[index][1], rivers[index][2], rivers[index][3]);
        painter.drawPath(path);
        const QPointF label = rivers[index][3] + QPointF(index == 3 ? 20 : -150, index == 3 ? -10 : -60);
        Text(painter, QRectF(label, QSizeF(40, 40)), QString::number(index + 1), kSans, 30, true, Qt::AlignCenter,
            QColor(0x1e, 0x63, 0xd6));
    }
    for (int index = 0; index < 4; ++index) {
        const double y = 380 + index * 150;
        Text(painter, QRectF(1050, y, 60, 80), QString::number(index + 1), kSans, 40, true, Qt::AlignCenter,
            QColor(0x1e, 0x63, 0xd6));
        painter.setPen(QPen(QColor(0x55, 0x55, 0x55), 3));
        painter.drawRect(QRectF(1130, y, 480, 80));
    }
    Text(painter, QRectF(1050, 1000, 600, 100), QStringLiteral("La Seine, la Loire, la Garonne, le Rhône"), kSerif, 30,
        false, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    return page;
}

QImage DemoDataRoot::ConjugationPage(int dpi)
{
    QImage page = BlankPage(kPortrait, dpi);
    QPainter painter(&page);
    Begin(painter, dpi);
    Heading(painter, QStringLiteral("Conjugaison"), QStringLiteral("Conjugue les verbes au présent de l'indicatif."),
        kPortrait.width());
    const QStringList pronouns = {QStringLiteral("je (j')"), QStringLiteral("tu"), QStringLiteral("il, elle"),
        QStringLiteral("nous"), QStringLiteral("vous"), QStringLiteral("ils, elles")};
    const QStringList verbs = {QStringLiteral("chanter"), QStringLiteral("finir"), QStringLiteral("aller")};
    const double left = 110, top = 340, first = 220, column = 300, row = 110;
    painter.setPen(QPen(QColor(0x44, 0x44, 0x44), 2));
    for (int c = 0; c < verbs.size(); ++c) {
        const QRectF cell(left + first + c * column, top, column, row);
        painter.fillRect(cell, QColor(0xe3, 0xec, 0xfa));
        painter.drawRect(cell);
        Text(painter, cell, verbs[c], kSerif, 38, true, Qt::AlignCenter);
    }
    for (int r = 0; r < pronouns.size(); ++r) {
        const double y = top + row * (r + 1);
        painter.setPen(QPen(QColor(0x44, 0x44, 0x44), 2));
        painter.drawRect(QRectF(left, y, first, row));
        Text(painter, QRectF(left + 15, y, first - 20, row), pronouns[r], kSans, 32);
        for (int c = 0; c < verbs.size(); ++c) {
            painter.setPen(QPen(QColor(0x44, 0x44, 0x44), 2));
            painter.drawRect(QRectF(left + first + c * column, y, column, row));
        }
    }
    Ruling(painter, QRectF(80, 1250, 1080, 420), 64);
    Text(painter, QRectF(110, 1190, 1000, 50), QStringLiteral("Écris une phrase avec chaque verbe :"), kSans, 30);
    return page;
}

Outcome DemoDataRoot::Create(const QString& root)
{
    if (QFileInfo::exists(root + QStringLiteral("/Ardoisine.txt")))
        return {};
    struct Page {
        QString folder;
        QString name;
        QImage (*draw)(int);
        int dpi;
    };
    const QList<Page> pages = {
        {QStringLiteral("Français"), QStringLiteral("Dictée"), &DemoDataRoot::DictationPage, 150},
        {QStringLiteral("Français"), QStringLiteral("Conjugaison"), &DemoDataRoot::ConjugationPage, 300},
        {QStringLiteral("Mathématiques"), QStringLiteral("Additions"), &DemoDataRoot::AdditionsPage, 150},
        {QStringLiteral("Mathématiques"), QStringLiteral("Additions (grand format)"), &DemoDataRoot::AdditionsPage,
            300},
        {QStringLiteral("Géographie"), QStringLiteral("Les fleuves de France"), &DemoDataRoot::MapPage, 150},
    };
    const QString worksheets = root + QStringLiteral("/Documents/Fiches/");
    for (const Page& page : pages) {
        if (!QDir().mkpath(worksheets + page.folder))
            return Outcome::Failure(
                QStringLiteral("Impossible de créer le dossier « %1 ».").arg(worksheets + page.folder));
        Outcome saved = SavePage(page.draw(page.dpi),
            worksheets + page.folder + QLatin1Char('/') + page.name + QStringLiteral(".jpg"), page.dpi);
        if (!saved)
            return saved;
    }

    TEP_Config config;
    Outcome outcome = config.Initialise(root);
    if (!outcome)
        return outcome;
    // Folders in colour, as a teacher sets them.
    TEP_DocsNode* tree = config.Tree();
    if (TEP_DocsNode* folder = Child(tree, QStringLiteral("Français")))
        folder->SetOwnColor(RgbColor::FromRgb(0x93, 0x3a, 0x1f));
    if (TEP_DocsNode* folder = Child(tree, QStringLiteral("Mathématiques")))
        folder->SetOwnColor(RgbColor::FromRgb(0x1f, 0x7d, 0x32));
    if (tree)
        outcome.Merge(tree->SaveFolderDataRecursive());
    for (const QString& pupil : Pupils) {
        UserSettings settings;
        outcome.Merge(settings.SaveFile(config.SettingsPath(pupil)));
    }
    config.UseNames = true;
    outcome.Merge(config.SaveAll());
    return outcome;
}
