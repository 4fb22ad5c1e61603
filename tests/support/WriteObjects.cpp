#include "WriteObjects.h"

namespace tk3dw {

void WriteLabel(TLayoutWriter& w, const WLabel& l, const WFormat& f) {
    const size_t frame = w.BeginFrame(ids::Beschriftung, f.is32);
    w.Word(l.version);
    if (l.version < 4) {
        w.StrWrite(l.text, f.is32);
        w.Bool(l.shown);
        w.SmallInt(int16_t(l.offsetX));
        w.SmallInt(int16_t(l.offsetY));
        w.Byte(l.kind);
        if (l.version > 1) {
            w.SmallInt(int16_t(l.angle));
            w.Word(l.align);
        }
        if (l.version > 2) {
            w.Bool(l.rotatePosition);
            w.Bool(l.rotateText);
        }
    } else {
        if (l.version > 5)
            w.WriteString(l.text, f.ansi);
        else
            w.StrWrite(l.text, f.is32);
        w.Bool(l.shown);
        w.Integer(l.offsetX);
        w.Integer(l.offsetY);
        w.Byte(l.kind);
        w.Integer(l.angle);
        w.Word(l.align);
        w.Bool(l.rotatePosition);
        w.Bool(l.rotateText);
        if (l.version > 4) {
            w.Integer((l.withFont ? 17 : 0) + l.extraBytes);
            if (l.withFont) {
                w.Integer(l.fontVersion);
                w.Integer(l.fontKey);
                w.Cardinal(l.textColor);
                w.Cardinal(l.backColor);
                w.Bool(l.opaque);
            }
            w.Zeros(size_t(l.extraBytes));
        }
    }
    w.EndFrame(frame);
}

namespace {

void WriteTextList(TLayoutWriter& w, const WBasic& o, const WFormat& f) {
    w.Integer(int32_t(o.textList.size()));
    for (const auto& [text, value] : o.textList) {
        w.WriteString(text, f.ansi);
        w.Integer(value);
    }
}

void WriteCompiledItem(TLayoutWriter& w, const WCompiledItem& item, const WFormat& f) {
    w.Integer(item.version);
    w.WriteString(item.artNr, f.ansi);
    w.WriteString(item.description, f.ansi);
    w.Extended(item.amount);
    w.Zeros(28);  // packing data
    w.Integer(int32_t(item.notes.size()));
    for (const std::string& note : item.notes) w.WriteString(note, f.ansi);
    w.Integer(item.count);
}

void WriteLabelList(TLayoutWriter& w, const std::vector<WLabel>& labels, const WFormat& f) {
    w.Integer(int32_t(labels.size()));
    for (const WLabel& l : labels) WriteLabel(w, l, f);
}

void WriteOptionalLabel(TLayoutWriter& w, const std::optional<WLabel>& l, const WFormat& f) {
    if (l)
        WriteLabel(w, *l, f);
    else
        w.NullFrame();
}

void WriteShapes(TLayoutWriter& w, const WRailObject& o) {
    w.Integer(o.shapesVersion);
    w.Integer(int32_t(o.shapes.size()));
    for (const auto& shape : o.shapes) shape(w);
}

void WriteLinks(TLayoutWriter& w, const WRailObject& o) {
    w.Integer(int32_t(o.links.size()));
    for (int32_t link : o.links) w.Integer(link);
}

void WriteLines(TLayoutWriter& w, const WRailObject& o, const WFormat& f) {
    WriteCollectionHeader(w, int32_t(o.lines.size() + o.moreLines.size()), f);
    for (const WLine& l : o.lines) WriteLine(w, l, f);
    for (const auto& line : o.moreLines) line(w, f);
}

void WriteCurrentRailSection(TLayoutWriter& w, const WRailObject& o, const WFormat& f) {
    WriteLines(w, o, f);
    w.Extended(o.angle);
    w.Cardinal(o.textColor);
    WriteFillPoints(w, o.fillPoints, f);
    WriteFillAreas(w, o.fillAreas, f);
    WriteLinks(w, o);
    w.Extended(o.height);
    WriteShapes(w, o);
    w.Integer(o.dockedTo);
    w.Extended(o.dockPos);
    w.Byte(o.dockMode);
    w.Integer(o.dockLine);
}

void WriteOldRailSection(TLayoutWriter& w, const WRailObject& o, const WFormat& f) {
    const int v = o.version;
    if (v >= 2573) {
        w.Integer(o.number);
        w.Integer(o.lineWidth);
        w.Integer(o.layer);
    } else {
        if (v >= 2) w.Integer(o.number);
        if (v >= 3) w.SmallInt(int16_t(o.lineWidth));
        if (v >= 2565) w.SmallInt(int16_t(o.layer));
    }
    w.Extended(o.x);
    w.Extended(o.y);
    WriteLines(w, o, f);
    w.Extended(o.price);
    if (v <= 2594) {
        WriteOptionalLabel(w, o.descriptionLabel, f);
        WriteOptionalLabel(w, o.artNrLabel, f);
    }
    w.Extended(o.angle);
    w.Cardinal(o.textColor);
    w.Cardinal(o.color);
    WriteFillPoints(w, o.fillPoints, f);
    if (v >= 2568) w.Bool(o.filled);
    if (v >= 2569) WriteFillAreas(w, o.fillAreas, f);
    if (v >= 2573) w.WriteString(o.priceCurrency, f.ansi);
    if (v >= 2575) w.Bool(o.movable);
    if (v >= 2577) w.Integer(o.value3);
    if (v >= 2578) WriteLinks(w, o);
    if (v >= 2579) {
        w.Extended(o.height);
        if (v <= 2594) WriteOptionalLabel(w, o.heightLabel, f);
    }
    if (v >= 2580) WriteShapes(w, o);
    if (v >= 2581) {
        w.WriteString(o.text1, f.ansi);
        w.WriteString(o.text2, f.ansi);
        w.Integer(o.value1);
        w.Extended(o.value2);
        WriteTextList(w, o, f);
    }
    if (v >= 2590) {
        w.Integer(o.dockedTo);
        w.Extended(o.dockPos);
        w.Byte(o.dockMode);
        if (v >= 2591) w.Integer(o.dockLine);
    }
    if (v >= 2595) WriteLabelList(w, o.labels, f);
}

}  // namespace

void WriteBasicSection(TLayoutWriter& w, const WBasic& o, const WFormat& f) {
    w.Word(o.version);
    const bool sectionEnd = o.version > 41001;
    const size_t end = sectionEnd ? w.BeginEnd64() : 0;
    if (o.version > 2597) {
        WriteLabelList(w, o.labels, f);
        w.Integer(o.stateFlags);
        w.Integer(o.layer);
        w.WriteString(o.text1, f.ansi);
        w.WriteString(o.text2, f.ansi);
        w.Integer(o.value1);
        w.Extended(o.value2);
        WriteTextList(w, o, f);
        w.Cardinal(o.color);
        w.Integer(o.lineWidth);
        w.WriteString(o.text3, f.ansi);
        w.Integer(o.value3);
        w.Extended(o.x);
        w.Extended(o.y);
        w.Extended(o.price);
        w.Integer(o.number);
    }
    if (o.version > 2598) {
        w.Integer(int32_t(o.items.size()));
        for (const WCompiledItem& item : o.items) WriteCompiledItem(w, item, f);
    }
    if (sectionEnd) {
        w.Zeros(o.unknownBytes);
        w.EndEnd64(end);
    }
}

void WriteLine(TLayoutWriter& w, const WLine& l, const WFormat& f) {
    const int16_t id = l.kind == WLine::Straight ? ids::GeradeLinie
                       : l.kind == WLine::Arc    ? ids::BogenLinie
                                                 : ids::KreisLinie;
    const size_t frame = w.BeginFrame(id, f.is32);
    w.Word(l.version);
    w.Extended(l.x1);
    w.Extended(l.y1);
    w.Extended(l.x2);
    w.Extended(l.y2);
    w.Byte(l.flags);
    if (l.kind != WLine::Straight) {
        w.Extended(l.sweep);
        w.Extended(l.radius);
        w.Extended(l.startAngle);
    }
    w.Zeros(l.trailing);
    w.EndFrame(frame);
}

void WriteCollectionHeader(TLayoutWriter& w, int32_t count, const WFormat& f, int32_t version) {
    if (f.is32) {
        w.Integer(version);
        w.Integer(count);  // capacity
        w.Integer(count);
    } else {
        w.SmallInt(int16_t(count));
        w.SmallInt(int16_t(count));
        w.SmallInt(0);
    }
}

void WriteFillPoints(TLayoutWriter& w, const std::vector<WFillPoint>& points, const WFormat& f) {
    const size_t frame = w.BeginFrame(ids::FuellColl, f.is32);
    WriteCollectionHeader(w, int32_t(points.size()), f);
    for (const WFillPoint& p : points) {
        const size_t item = w.BeginFrame(ids::FuellPunkt, f.is32);
        if (f.is32) {
            w.Integer(p.x);
            w.Integer(p.y);
        } else {
            w.SmallInt(int16_t(p.x));
            w.SmallInt(int16_t(p.y));
        }
        w.Integer(p.brush);
        w.EndFrame(item);
    }
    w.EndFrame(frame);
}

void WriteFillArea(TLayoutWriter& w, const WFillArea& a, const WFormat& f) {
    const size_t frame = w.BeginFrame(a.circle ? ids::FuellKreis : ids::FuellPolygon, f.is32);
    w.Word(a.version);
    w.Cardinal(a.color);
    if (a.circle) {
        if (f.is32) {
            w.Integer(a.cx);
            w.Integer(a.cy);
            w.Integer(a.radius);
        } else {
            w.SmallInt(int16_t(a.cx));
            w.SmallInt(int16_t(a.cy));
            w.SmallInt(int16_t(a.radius));
        }
    } else {
        std::vector<int32_t> items = a.coords;
        if (!f.is32) {
            items.clear();
            for (size_t i = 0; i + 1 < a.coords.size(); i += 2)
                items.push_back(int32_t(uint32_t(uint16_t(a.coords[i])) | (uint32_t(a.coords[i + 1]) << 16)));
        }
        const size_t coll = w.BeginFrame(ids::NoFreeCollection, f.is32);
        WriteCollectionHeader(w, int32_t(items.size()), f);
        for (int32_t v : items) w.Integer(v);
        w.EndFrame(coll);
    }
    w.EndFrame(frame);
}

void WriteFillAreas(TLayoutWriter& w, const std::vector<WFillArea>& areas, const WFormat& f) {
    const size_t frame = w.BeginFrame(ids::RailCollection, f.is32);
    WriteCollectionHeader(w, int32_t(areas.size()), f);
    for (const WFillArea& a : areas) WriteFillArea(w, a, f);
    w.EndFrame(frame);
}

void WriteRailObjectSection(TLayoutWriter& w, const WRailObject& o, const WFormat& f) {
    if (o.version > 2597)
        WriteCurrentRailSection(w, o, f);
    else
        WriteOldRailSection(w, o, f);
}

void WriteRailObject(TLayoutWriter& w, const WRailObject& o, const WFormat& f, int16_t classId) {
    const size_t frame = w.BeginFrame(classId, f.is32);
    WriteBasicSection(w, o, f);
    WriteRailObjectSection(w, o, f);
    w.EndFrame(frame);
}

WObjectWriter RailObjectWriter(WRailObject o, int16_t classId) {
    return [o = std::move(o), classId](TLayoutWriter& w, const WFormat& f) {
        WriteRailObject(w, o, f, classId);
    };
}

void WriteObjectListSection(TLayoutWriter& w, const WDocument& d, const WFormat& f) {
    WriteCollectionHeader(w, int32_t(d.objects.size()), f, d.version);
    for (const WObjectWriter& o : d.objects) o(w, f);
    if (!f.is32) return;  // 16-bit lists have no version, so nothing more
    if (d.version > 4) {
        w.Integer(int32_t(d.fonts.size()));
        for (const WFontEntry& e : d.fonts) {
            w.Integer(e.version);
            w.Integer(e.key);
            w.Integer(e.refCount);
            if (e.version < 2)
                WriteFontA(w, e.font);
            else
                WriteFontW(w, e.font);
        }
    }
    if (d.version > 5) {
        w.Integer(d.catenaryVersion);
        w.Integer(int32_t(d.catenary.size()));
        for (const WObjectWriter& o : d.catenary) o(w, f);
    }
}

void WriteDocument(TLayoutWriter& w, const WDocument& d, const WFormat& f) {
    const size_t frame = w.BeginFrame(ids::RailList, f.is32);
    WriteObjectListSection(w, d, f);
    const int32_t v = f.is32 ? d.version : 0;
    if (f.is32) {
        if (v > 9) {
            w.WriteString(d.currency, f.ansi);
        } else {
            const size_t n = std::min<size_t>(d.currency.size(), 15);
            w.Byte(uint8_t(n));
            w.Raw(d.currency.data(), n);
            w.Zeros(15 - n);
        }
    }
    if (v > 2 && d.printer) {
        const WPrinter& p = *d.printer;
        if (f.ansi) {
            w.Integer(int32_t(p.name.size()));
            w.Raw(p.name);
            for (const std::string* s : {&p.device, &p.driver, &p.port}) {
                w.Raw(s->data(), std::min<size_t>(s->size(), 80));
                w.Zeros(80 - std::min<size_t>(s->size(), 80));
            }
        } else {
            w.Integer(int32_t(ToUtf16(p.name).size()));
            w.WideChars(p.name, ToUtf16(p.name).size());
            for (const std::string* s : {&p.device, &p.driver, &p.port}) w.WideChars(*s, 80);
        }
        w.Integer(int32_t(p.deviceMode.size()));
        w.Raw(p.deviceMode.data(), p.deviceMode.size());
    }
    if ((v == 7 || v == 8) && d.rectangles) {
        w.Integer(int32_t(d.rectangles->size() / 4));
        for (int32_t c : *d.rectangles) w.Integer(c);
    }
    if (v > 7 && d.marker) w.Integer(*d.marker);
    w.EndFrame(frame);
}

std::vector<uint8_t> LayoutFile(const WDocument& d, const WFormat& f) {
    TLayoutWriter w;
    if (f.is32) {
        WriteVersionedHeader(w, f.ansi ? 607 : 608);
        WriteCurrentSettings(w, DefaultRecord());
    } else {
        w.Byte(0x1A);
    }
    WriteDocument(w, d, f);
    return w.bytes;
}

}  // namespace tk3dw
