#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A document of nested values (a JSON document) in plain C++, so that the
// report engine can walk stored definitions without seeing the toolkit that
// parsed them.
class TppPropertyNode {
public:
    enum Kind : unsigned char { pkNull, pkBoolean, pkNumber, pkString, pkList, pkObject };
    using Member = std::pair<std::string, TppPropertyNode>;

    TppPropertyNode() = default;
    static TppPropertyNode Boolean(bool value);
    static TppPropertyNode Number(double value);
    static TppPropertyNode String(std::string value);
    static TppPropertyNode List(std::vector<TppPropertyNode> items);
    static TppPropertyNode Object(std::vector<Member> members);

    Kind GetKind() const { return m_kind; }
    bool AsBoolean() const { return m_boolean; }
    double AsNumber() const { return m_number; }
    const std::string &AsString() const { return m_string; }
    const std::vector<TppPropertyNode> &Items() const { return m_items; }
    const std::vector<Member> &Members() const { return m_members; }
    // The member of an object with this key, or null.
    const TppPropertyNode *Find(std::string_view key) const;

private:
    Kind m_kind = pkNull;
    bool m_boolean = false;
    double m_number = 0;
    std::string m_string;
    std::vector<TppPropertyNode> m_items;
    std::vector<Member> m_members;
};

// A document that is not well-formed, or a resource that is missing; the text
// says where.
class TppDocumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace platform {

// Parses a JSON text (UTF-8). Throws TppDocumentError with the parser's
// reason and the character offset.
TppPropertyNode ParseJsonDocument(std::string_view text);

// The bytes of a resource compiled into the program (":/assets/..."). Throws
// TppDocumentError naming the path when there is none.
std::string ReadResource(std::string_view path);

} // namespace platform
