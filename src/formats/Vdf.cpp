#include "Vdf.h"

#include "Image.h"

#include <cctype>

namespace formats {

namespace {

constexpr int kMaxDepth = 64;

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}

    std::vector<VdfEntry> entries(int depth, bool inBlock)
    {
        if (depth > kMaxDepth)
            throw FormatError("VDF blocks nested too deeply");
        std::vector<VdfEntry> list;
        for (;;) {
            skipSpace();
            if (p_ == end_)
                return list;   // an unclosed block ends with the data
            if (*p_ == '}') {
                if (!inBlock)
                    throw FormatError("VDF block closed that was never opened");
                ++p_;
                return list;
            }
            if (*p_ == '{')
                throw FormatError("VDF block without a key");
            VdfEntry entry;
            entry.key = token();
            skipSpace();
            skipCondition();
            if (p_ == end_)
                throw FormatError("VDF key without a value");
            if (*p_ == '{') {
                ++p_;
                entry.block = true;
                entry.children = entries(depth + 1, true);
            } else if (*p_ == '}') {
                throw FormatError("VDF key without a value");
            } else {
                entry.value = token();
            }
            skipSpace();
            skipCondition();
            list.push_back(std::move(entry));
        }
    }

private:
    void skipSpace()
    {
        while (p_ != end_) {
            if (std::isspace(*p_)) {
                ++p_;
            } else if (*p_ == '/' && end_ - p_ >= 2 && p_[1] == '/') {
                while (p_ != end_ && *p_ != '\n')
                    ++p_;
            } else {
                return;
            }
        }
    }

    // "[$WIN32]" and the like, after a key or a value.
    void skipCondition()
    {
        if (p_ == end_ || *p_ != '[')
            return;
        while (p_ != end_ && *p_ != ']' && *p_ != '\n')
            ++p_;
        if (p_ != end_ && *p_ == ']')
            ++p_;
        skipSpace();
    }

    std::string token()
    {
        std::string text;
        if (*p_ != '"') {
            while (p_ != end_ && !std::isspace(*p_) && *p_ != '{' && *p_ != '}' && *p_ != '"')
                text += char(*p_++);
            return text;
        }
        ++p_;
        for (;;) {
            if (p_ == end_)
                throw FormatError("VDF string not closed");
            const char c = char(*p_++);
            if (c == '"')
                return text;
            if (c == '\\' && p_ != end_) {
                const char e = char(*p_++);
                text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
            } else {
                text += c;
            }
        }
    }

    const std::uint8_t* p_;
    const std::uint8_t* end_;
};

bool sameKey(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

const VdfEntry* VdfEntry::find(const std::string& wanted) const
{
    for (const VdfEntry& child : children)
        if (sameKey(child.key, wanted))
            return &child;
    return nullptr;
}

std::vector<VdfEntry> readVdf(const std::uint8_t* data, std::size_t size)
{
    Reader reader(data, size);
    return reader.entries(0, false);
}

} // namespace formats
