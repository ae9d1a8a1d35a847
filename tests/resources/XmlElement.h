// Just enough XML for a manifest: elements, attributes, text, comments and the declaration.
// No entities, no CDATA, no doctype.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;  // in document order
    std::vector<XmlElement> children;
    std::string text;  // the element's own text, trimmed

    // The attribute's value, or "" when the element has none of that name.
    std::string Attribute(const std::string& attributeName) const;
    std::vector<std::string> ChildNames() const;
};

// False for anything this reader does not take as one well-formed root element.
bool ParseXml(const std::string& document, XmlElement* root);
