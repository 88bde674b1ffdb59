#include "pdf_text.h"

#include <QRegularExpression>
#include <QtEndian>

#include <map>

namespace steam::uitest {

namespace {

struct PdfObject {
    QByteArray dictionary;
    QByteArray stream;  // decoded
};

QByteArray inflate(const QByteArray& data) {
    // qUncompress wants the size ahead of a zlib stream; a generous guess is enough.
    QByteArray sized(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(data.size() * 40 + 1024), sized.data());
    return qUncompress(sized + data);
}

std::map<int, PdfObject> objectsOf(const QByteArray& pdf) {
    std::map<int, PdfObject> objects;
    static const QRegularExpression object(QStringLiteral("(\\d+) 0 obj\\s(.*?)endobj"),
                                           QRegularExpression::DotMatchesEverythingOption);
    const QString latin = QString::fromLatin1(pdf);
    for (auto it = object.globalMatch(latin); it.hasNext();) {
        const auto m = it.next();
        const QByteArray body = m.captured(2).toLatin1();
        PdfObject o;
        const qsizetype stream = body.indexOf("stream");
        o.dictionary = stream < 0 ? body : body.left(stream);
        if (stream >= 0) {
            qsizetype begin = stream + 6;
            if (body.mid(begin, 2) == "\r\n")
                begin += 2;
            else if (body[begin] == '\n')
                begin += 1;
            const qsizetype end = body.lastIndexOf("endstream");
            QByteArray data = body.mid(begin, end - begin);
            if (data.endsWith('\n')) data.chop(1);
            o.stream = o.dictionary.contains("/FlateDecode") ? inflate(data) : data;
        }
        objects[m.captured(1).toInt()] = o;
    }
    return objects;
}

int reference(const QByteArray& dictionary, const char* key) {
    const QRegularExpression re(QString::fromLatin1(key) + QStringLiteral("\\s+(\\d+) 0 R"));
    const auto m = re.match(QString::fromLatin1(dictionary));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Glyph to character, from a ToUnicode CMap's bfchar and bfrange sections.
std::map<uint, QString> toUnicode(const QByteArray& cmap) {
    std::map<uint, QString> map;
    const auto utf16 = [](const QString& hex) {
        QString out;
        for (qsizetype i = 0; i + 4 <= hex.size(); i += 4)
            out += QChar(static_cast<char16_t>(hex.mid(i, 4).toUInt(nullptr, 16)));
        return out;
    };
    const QString text = QString::fromLatin1(cmap);
    // "<glyph> <text>" in bfchar; "<first> <last> <text of first>" or "<first> <last> [<text> ...]"
    // in bfrange.
    static const QRegularExpression entry(
        QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>\\s*(\\[[^\\]]*\\]|<[0-9A-Fa-f]+>)?"));
    static const QRegularExpression hexString(QStringLiteral("<([0-9A-Fa-f]+)>"));
    static const QRegularExpression section(QStringLiteral("begin(bfchar|bfrange)(.*?)end\\1"),
                                            QRegularExpression::DotMatchesEverythingOption);
    for (auto s = section.globalMatch(text); s.hasNext();) {
        const auto sm = s.next();
        const bool range = sm.captured(1) == QLatin1String("bfrange");
        for (auto e = entry.globalMatch(sm.captured(2)); e.hasNext();) {
            const auto em = e.next();
            const uint first = em.captured(1).toUInt(nullptr, 16);
            if (!range) {
                map[first] = utf16(em.captured(2));
                continue;
            }
            const uint last = em.captured(2).toUInt(nullptr, 16);
            const QString target = em.captured(3);
            if (target.startsWith(u'[')) {
                uint glyph = first;
                for (auto h = hexString.globalMatch(target); h.hasNext() && glyph <= last; ++glyph)
                    map[glyph] = utf16(h.next().captured(1));
                continue;
            }
            const QString start = utf16(target.mid(1, target.size() - 2));
            for (uint g = first; g <= last && !start.isEmpty(); ++g)
                map[g] = QString(QChar(static_cast<char16_t>(start.back().unicode() + (g - first))));
        }
    }
    return map;
}

}  // namespace

std::vector<PdfPage> readPdfPages(const QByteArray& pdf) {
    const std::map<int, PdfObject> objects = objectsOf(pdf);
    std::vector<PdfPage> pages;
    static const QRegularExpression pageType(QStringLiteral("/Type\\s*/Page[^s]"));
    static const QRegularExpression box(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"));
    static const QRegularExpression fontEntry(QStringLiteral("/(F\\d+)\\s+(\\d+) 0 R"));
    static const QRegularExpression operation(QStringLiteral("/(F\\d+)\\s+[\\d.]+\\s+Tf|<([0-9A-Fa-f]*)>\\s*Tj"));
    for (const auto& [number, object] : objects) {
        const QString dictionary = QString::fromLatin1(object.dictionary);
        if (!pageType.match(dictionary).hasMatch()) continue;
        PdfPage page;
        const auto b = box.match(dictionary);
        if (b.hasMatch()) page.mediaBox = QSizeF(b.captured(1).toDouble(), b.captured(2).toDouble());
        // Fonts by resource name, each with its glyph map.
        std::map<QString, std::map<uint, QString>> fonts;
        const int resources = reference(object.dictionary, "/Resources");
        const QByteArray resourceText =
            resources >= 0 && objects.count(resources) ? objects.at(resources).dictionary : object.dictionary;
        for (auto f = fontEntry.globalMatch(QString::fromLatin1(resourceText)); f.hasNext();) {
            const auto fm = f.next();
            const int font = fm.captured(2).toInt();
            const int cmap = objects.count(font) ? reference(objects.at(font).dictionary, "/ToUnicode") : -1;
            if (cmap >= 0 && objects.count(cmap)) fonts[fm.captured(1)] = toUnicode(objects.at(cmap).stream);
        }
        const int contents = reference(object.dictionary, "/Contents");
        if (contents < 0 || !objects.count(contents)) continue;
        const std::map<uint, QString>* current = nullptr;
        for (auto op = operation.globalMatch(QString::fromLatin1(objects.at(contents).stream)); op.hasNext();) {
            const auto om = op.next();
            if (!om.captured(1).isEmpty()) {
                current = fonts.count(om.captured(1)) ? &fonts.at(om.captured(1)) : nullptr;
                continue;
            }
            const QString hex = om.captured(2);
            for (qsizetype i = 0; current && i + 4 <= hex.size(); i += 4) {
                const auto glyph = current->find(hex.mid(i, 4).toUInt(nullptr, 16));
                if (glyph != current->end()) page.text += glyph->second;
            }
        }
        pages.push_back(page);
    }
    return pages;
}

}  // namespace steam::uitest
