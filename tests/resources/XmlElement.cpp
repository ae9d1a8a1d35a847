#include "tests/resources/XmlElement.h"

#include <cctype>

namespace {

class XmlReader {
public:
    explicit XmlReader(const std::string& text) : m_text(text) {}

    bool ParseDocument(XmlElement* root) {
        SkipMisc();
        if (!ParseElement(root)) {
            return false;
        }
        SkipMisc();
        return m_position == m_text.size();
    }

private:
    bool StartsWith(const char* prefix) const { return m_text.compare(m_position, std::char_traits<char>::length(prefix), prefix) == 0; }

    void SkipSpace() {
        while (m_position < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_position]))) {
            ++m_position;
        }
    }

    bool SkipPast(const char* end) {
        size_t found = m_text.find(end, m_position);
        if (found == std::string::npos) {
            m_position = m_text.size();
            return false;
        }
        m_position = found + std::char_traits<char>::length(end);
        return true;
    }

    // Space, comments and processing instructions between elements.
    void SkipMisc() {
        for (;;) {
            SkipSpace();
            if (StartsWith("<!--")) {
                SkipPast("-->");
            } else if (StartsWith("<?")) {
                SkipPast("?>");
            } else {
                return;
            }
        }
    }

    std::string ReadName() {
        size_t start = m_position;
        while (m_position < m_text.size() &&
               (std::isalnum(static_cast<unsigned char>(m_text[m_position])) ||
                m_text[m_position] == ':' || m_text[m_position] == '-' ||
                m_text[m_position] == '_' || m_text[m_position] == '.')) {
            ++m_position;
        }
        return m_text.substr(start, m_position - start);
    }

    bool ParseElement(XmlElement* element) {
        if (!StartsWith("<")) {
            return false;
        }
        ++m_position;
        element->name = ReadName();
        if (element->name.empty()) {
            return false;
        }
        for (;;) {
            SkipSpace();
            if (StartsWith("/>")) {
                m_position += 2;
                return true;
            }
            if (StartsWith(">")) {
                ++m_position;
                break;
            }
            std::string attribute = ReadName();
            SkipSpace();
            if (attribute.empty() || !StartsWith("=")) {
                return false;
            }
            ++m_position;
            SkipSpace();
            if (m_position >= m_text.size() || (m_text[m_position] != '"' && m_text[m_position] != '\'')) {
                return false;
            }
            char quote = m_text[m_position++];
            size_t end = m_text.find(quote, m_position);
            if (end == std::string::npos) {
                return false;
            }
            element->attributes.emplace_back(attribute, m_text.substr(m_position, end - m_position));
            m_position = end + 1;
        }
        for (;;) {
            size_t textStart = m_position;
            while (m_position < m_text.size() && m_text[m_position] != '<') {
                ++m_position;
            }
            element->text += m_text.substr(textStart, m_position - textStart);
            if (m_position >= m_text.size()) {
                return false;
            }
            if (StartsWith("<!--")) {
                SkipPast("-->");
            } else if (StartsWith("</")) {
                m_position += 2;
                bool matches = ReadName() == element->name;
                SkipSpace();
                if (!matches || !StartsWith(">")) {
                    return false;
                }
                ++m_position;
                Trim(&element->text);
                return true;
            } else {
                element->children.emplace_back();
                if (!ParseElement(&element->children.back())) {
                    return false;
                }
            }
        }
    }

    static void Trim(std::string* text) {
        size_t first = text->find_first_not_of(" \t\r\n");
        size_t last = text->find_last_not_of(" \t\r\n");
        *text = first == std::string::npos ? "" : text->substr(first, last - first + 1);
    }

    const std::string& m_text;
    size_t m_position = 0;
};

}  // namespace

std::string XmlElement::Attribute(const std::string& attributeName) const {
    for (const auto& attribute : attributes) {
        if (attribute.first == attributeName) {
            return attribute.second;
        }
    }
    return "";
}

std::vector<std::string> XmlElement::ChildNames() const {
    std::vector<std::string> names;
    for (const XmlElement& child : children) {
        names.push_back(child.name);
    }
    return names;
}

bool ParseXml(const std::string& document, XmlElement* root) {
    *root = XmlElement();
    return XmlReader(document).ParseDocument(root);
}
