#include "platform/TextLines.h"

#include <utility>

TextLines::TextLines(std::unique_ptr<std::FILE, FileCloser> file, Format format)
    : owned_(std::move(file)), file_(owned_.get()), format_(format) {}

TextLines::TextLines(std::FILE& file, Format format) : file_(&file), format_(format) {}

int TextLines::nextChar() {
    if (!owned_) return std::getc(file_);
    if (blockUsed_ == blockFilled_) {
        constexpr std::size_t blockSize = 16384;
        if (!block_) block_ = std::make_unique_for_overwrite<char[]>(blockSize);
        blockUsed_ = 0;
        blockFilled_ = std::fread(block_.get(), 1, blockSize, file_);
        if (blockFilled_ == 0) return EOF;
    }
    return static_cast<unsigned char>(block_[blockUsed_++]);
}

bool TextLines::next(std::string& line) {
    line.clear();
    const int number = split_ ? lineNumber_ : lineNumber_ + 1;
    const std::size_t limit = format_.maxLength;
    bool readAny = false;
    bool ended = false;
    bool split = false;
    for (;;) {
        if (limit != 0 && line.size() == limit && format_.overlong == Overlong::Split) {
            // Like fgets, no peek at what follows: a line of exactly maxLength
            // characters is followed by an empty piece that holds its line feed.
            split = true;
            break;
        }
        const int c = nextChar();
        if (c == EOF) {
            // Whatever the failed read left of the line cannot be trusted.
            if (std::ferror(file_)) throw ReadError{number};
            break;
        }
        readAny = true;
        if (c == '\n') {
            ended = true;
            break;
        }
        if (limit != 0 && line.size() == limit) throw TooLong{number};
        line.push_back(static_cast<char>(c));
    }
    if (!readAny) return false;
    lineNumber_ = number;
    lineEnded_ = ended;
    split_ = split;
    bool dropReturn = false;
    switch (format_.carriageReturn) {
        case CarriageReturn::Keep:
            break;
        case CarriageReturn::BeforeLineFeed:
            dropReturn = ended;
            break;
        case CarriageReturn::AtLineEnd:
            dropReturn = !split;
            break;
    }
    if (dropReturn && !line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

const std::string& TextLines::need() {
    if (!next(need_)) throw Ended{};
    return need_;
}
