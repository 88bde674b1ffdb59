// A strict reader for the JSON that steamcalc writes: objects, arrays, strings with every
// escape, numbers, true, false, null. Anything else (a trailing comma, an unescaped control
// character, text after the value) is a parse error.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace steam::cli::test {

struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<Json> array;
    std::vector<std::pair<std::string, Json>> object;  // in written order

    const Json* find(const std::string& key) const {
        for (const auto& [k, v] : object)
            if (k == key) return &v;
        return nullptr;
    }
    std::vector<std::string> keys() const {
        std::vector<std::string> out;
        for (const auto& [k, v] : object) out.push_back(k);
        return out;
    }
};

class JsonReader {
public:
    /// The value the whole text holds, or nothing when it is not exactly one JSON value.
    static std::optional<Json> parse(std::string_view text) {
        JsonReader r(text);
        Json value;
        if (!r.value(value)) return std::nullopt;
        r.blanks();
        if (r.m_pos != text.size()) return std::nullopt;
        return value;
    }

private:
    explicit JsonReader(std::string_view text) : m_text(text) {}

    void blanks() {
        while (m_pos < m_text.size() &&
               (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n' || m_text[m_pos] == '\r'))
            ++m_pos;
    }
    bool eat(char c) {
        blanks();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool word(std::string_view w) {
        if (m_text.substr(m_pos, w.size()) != w) return false;
        m_pos += w.size();
        return true;
    }
    static void appendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    bool string(std::string& out) {
        if (!eat('"')) return false;
        while (m_pos < m_text.size()) {
            const unsigned char c = m_text[m_pos++];
            if (c == '"') return true;
            if (c < 0x20) return false;
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (m_pos >= m_text.size()) return false;
            const char e = m_text[m_pos++];
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    if (m_pos + 4 > m_text.size()) return false;
                    unsigned code = 0;
                    for (int i = 0; i < 4; ++i) {
                        const char h = m_text[m_pos++];
                        code = code * 16 + (h >= '0' && h <= '9'   ? h - '0'
                                            : h >= 'a' && h <= 'f' ? h - 'a' + 10
                                            : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                                   : 99);
                        if (code > 0xFFFF) return false;
                    }
                    appendUtf8(out, code);
                    break;
                }
                default: return false;
            }
        }
        return false;
    }
    bool value(Json& v) {
        blanks();
        if (m_pos >= m_text.size()) return false;
        const char c = m_text[m_pos];
        if (c == '"') {
            v.kind = Json::String;
            return string(v.string);
        }
        if (c == '{') {
            ++m_pos;
            v.kind = Json::Object;
            if (eat('}')) return true;
            do {
                std::string key;
                Json member;
                if (!string(key) || !eat(':') || !value(member)) return false;
                v.object.emplace_back(std::move(key), std::move(member));
            } while (eat(','));
            return eat('}');
        }
        if (c == '[') {
            ++m_pos;
            v.kind = Json::Array;
            if (eat(']')) return true;
            do {
                Json element;
                if (!value(element)) return false;
                v.array.push_back(std::move(element));
            } while (eat(','));
            return eat(']');
        }
        if (word("true")) return v.kind = Json::Bool, v.boolean = true, true;
        if (word("false")) return v.kind = Json::Bool, true;
        if (word("null")) return v.kind = Json::Null, true;
        const size_t start = m_pos;
        while (m_pos < m_text.size() &&
               std::string_view("+-0123456789.eE").find(m_text[m_pos]) != std::string_view::npos)
            ++m_pos;
        if (m_pos == start) return false;
        v.kind = Json::Number;
        v.number = std::stod(std::string(m_text.substr(start, m_pos - start)));
        return true;
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

}  // namespace steam::cli::test
