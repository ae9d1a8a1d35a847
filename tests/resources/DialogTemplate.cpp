#include "tests/resources/DialogTemplate.h"

#include <cstring>

namespace {

// Reads little-endian fields in order and remembers whether it ever ran past the end.
class TemplateReader {
public:
    TemplateReader(const BYTE* bytes, DWORD size) : m_bytes(bytes), m_size(size) {}

    bool ok() const { return m_ok; }

    template <typename T>
    T Read() {
        T value{};
        if (m_position + sizeof(T) > m_size) {
            m_ok = false;
            m_position = m_size;
            return value;
        }
        std::memcpy(&value, m_bytes + m_position, sizeof(T));
        m_position += sizeof(T);
        return value;
    }

    std::string ReadText() {
        std::string text;
        for (WCHAR c = Read<WCHAR>(); m_ok && c != 0; c = Read<WCHAR>()) {
            text += c < 0x80 ? static_cast<char>(c) : '?';
        }
        return text;
    }

    std::string ReadNameOrOrdinal(bool controlClass) {
        if (m_position + sizeof(WORD) <= m_size && m_bytes[m_position] == 0xFF &&
            m_bytes[m_position + 1] == 0xFF) {
            Read<WORD>();
            return OrdinalName(Read<WORD>(), controlClass);
        }
        return ReadText();
    }

    void AlignToDword() { m_position = (m_position + 3) & ~static_cast<DWORD>(3); }

private:
    static std::string OrdinalName(WORD ordinal, bool controlClass) {
        static const char* const kPredefined[] = {"Button", "Edit", "Static", "ListBox",
                                                  "ScrollBar", "ComboBox"};
        if (controlClass && ordinal >= 0x80 && ordinal < 0x80 + 6) {
            return kPredefined[ordinal - 0x80];
        }
        return "#" + std::to_string(ordinal);
    }

    const BYTE* m_bytes;
    DWORD m_size;
    DWORD m_position = 0;
    bool m_ok = true;
};

}  // namespace

bool ParseDialogTemplate(const BYTE* bytes, DWORD size, DialogTemplate* result) {
    if (bytes == nullptr) {
        return false;
    }
    TemplateReader reader(bytes, size);
    DialogTemplate& t = *result;
    t.version = reader.Read<WORD>();
    t.signature = reader.Read<WORD>();
    if (t.version != 1 || t.signature != 0xFFFF) {
        return false;
    }
    t.helpId = reader.Read<DWORD>();
    t.exStyle = reader.Read<DWORD>();
    t.style = reader.Read<DWORD>();
    WORD itemCount = reader.Read<WORD>();
    t.x = reader.Read<short>();
    t.y = reader.Read<short>();
    t.cx = reader.Read<short>();
    t.cy = reader.Read<short>();
    t.menu = reader.ReadNameOrOrdinal(false);
    t.windowClass = reader.ReadNameOrOrdinal(false);
    t.caption = reader.ReadText();
    if ((t.style & DS_SETFONT) == 0) {
        return false;
    }
    t.pointSize = reader.Read<WORD>();
    t.weight = reader.Read<WORD>();
    t.italic = reader.Read<BYTE>();
    t.charset = reader.Read<BYTE>();
    t.typeface = reader.ReadText();

    t.items.clear();
    for (WORD i = 0; i < itemCount && reader.ok(); ++i) {
        reader.AlignToDword();
        DialogItem item;
        item.helpId = reader.Read<DWORD>();
        item.exStyle = reader.Read<DWORD>();
        item.style = reader.Read<DWORD>();
        item.x = reader.Read<short>();
        item.y = reader.Read<short>();
        item.cx = reader.Read<short>();
        item.cy = reader.Read<short>();
        item.id = reader.Read<DWORD>();
        item.windowClass = reader.ReadNameOrOrdinal(true);
        item.text = reader.ReadNameOrOrdinal(false);
        item.extraCount = reader.Read<WORD>();
        for (WORD extra = 0; extra < item.extraCount; ++extra) {
            reader.Read<BYTE>();
        }
        t.items.push_back(item);
    }
    return reader.ok();
}
