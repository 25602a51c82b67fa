// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/xmlreader.h"

#include "plist/excerpt.h"
#include "plist/xmlbuilder.h"

#include <expat.h>

#include <climits>
#include <new>

namespace plist {

namespace detail {

namespace {

// Deferral would hold back a closing </plist> until more bytes arrive, which never happens when
// the other side waits for the reply.
void disableReparseDeferral([[maybe_unused]] XML_Parser parser) {
#if XML_MAJOR_VERSION > 2 || (XML_MAJOR_VERSION == 2 && XML_MINOR_VERSION >= 6)
    XML_SetReparseDeferralEnabled(parser, XML_FALSE);
#endif
}

} // namespace

// One expat parser feeding an XmlBuilder. With stopAtEnd the parse ends as soon as </plist>
// closes; otherwise the rest of the input is checked for anything but whitespace.
class XmlSession {
public:
    using Status = IncrementalXmlReader::Status;

    explicit XmlSession(bool stopAtEnd)
        : parser_(XML_ParserCreate(nullptr)), stopAtEnd_(stopAtEnd) {
        if (!parser_) {
            status_ = Status::Malformed;
            error_ = "out of memory creating the XML parser";
            return;
        }
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(parser_, &XmlSession::onStart, &XmlSession::onEnd);
        XML_SetCharacterDataHandler(parser_, &XmlSession::onText);
        XML_SetEntityDeclHandler(parser_, &XmlSession::onEntityDeclaration);
        XML_SetSkippedEntityHandler(parser_, &XmlSession::onSkippedEntity);
        XML_SetCommentHandler(parser_, &XmlSession::onComment);
        XML_SetProcessingInstructionHandler(parser_, &XmlSession::onProcessingInstruction);
        disableReparseDeferral(parser_);
    }

    ~XmlSession() {
        if (parser_)
            XML_ParserFree(parser_);
    }

    XmlSession(const XmlSession&) = delete;
    XmlSession& operator=(const XmlSession&) = delete;

    Status parse(std::string_view input, bool isFinal) {
        if (!started_) {
            skipLeadingSpace(input);
            if (input.empty() && !isFinal)
                return status_;
            started_ = true;
        }
        // expat takes lengths as int, so very large input goes in slices.
        constexpr std::size_t kSlice = INT_MAX / 2;
        do {
            if (status_ != Status::Incomplete)
                return status_;
            const std::string_view slice = input.substr(0, kSlice);
            input.remove_prefix(slice.size());
            const bool last = isFinal && input.empty();
            if (XML_Parse(parser_, slice.data(), static_cast<int>(slice.size()), last) ==
                    XML_STATUS_ERROR &&
                status_ == Status::Incomplete)
                failWithExpatError();
            if (last && status_ == Status::Incomplete) {
                // expat succeeds on a final parse only once the root has closed.
                status_ = builder_.finished() ? Status::Complete : Status::Malformed;
                if (status_ == Status::Malformed)
                    error_ = "the document ends before </plist>";
            }
        } while (!input.empty());
        return status_;
    }

    void abandon(std::string reason) {
        status_ = Status::Malformed;
        error_ = std::move(reason);
    }

    Status status() const { return status_; }
    std::size_t endOffset() const { return endOffset_; }
    const std::string& error() const { return error_; }
    Value takeValue() { return builder_.takeValue(); }

private:
    static XmlSession& from(void* userData) { return *static_cast<XmlSession*>(userData); }

    // Exceptions must not unwind through expat's C frames, so each handler stops here.
    template <class Body> static void guarded(void* data, Body&& body) {
        auto& self = from(data);
        try {
            body(self);
        } catch (const std::bad_alloc&) {
            self.fail("out of memory reading the XML document");
        }
    }

    // A stream of documents each ending in a newline leaves that newline in front of the next
    // one, where an XML declaration may not follow it; so whitespace before a document is
    // skipped, and positions are reported as if it had not been.
    void skipLeadingSpace(std::string_view& input) {
        while (!input.empty()) {
            const char c = input.front();
            if (c == '\n') {
                if (!skippedCarriageReturn_)
                    ++skippedLines_;
                skippedColumns_ = 0;
            } else if (c == '\r') {
                ++skippedLines_;
                skippedColumns_ = 0;
            } else if (c == ' ' || c == '\t') {
                ++skippedColumns_;
            } else {
                return;
            }
            skippedCarriageReturn_ = c == '\r';
            ++skippedBytes_;
            input.remove_prefix(1);
        }
    }

    std::string position() const {
        const XML_Size line = XML_GetCurrentLineNumber(parser_);
        const XML_Size column =
            XML_GetCurrentColumnNumber(parser_) + (line == 1 ? skippedColumns_ : 0);
        return "line " + std::to_string(line + skippedLines_) + ", column " +
               std::to_string(column + 1) + ": ";
    }

    void fail(const std::string& reason) {
        if (status_ != Status::Incomplete)
            return;
        status_ = Status::Malformed;
        error_ = position() + reason;
        XML_StopParser(parser_, XML_FALSE);
    }

    void failWithExpatError() {
        status_ = Status::Malformed;
        const XML_Error code = XML_GetErrorCode(parser_);
        // expat says "no element found" also when the root was opened but never closed.
        error_ = position() + (code == XML_ERROR_NO_ELEMENTS && builder_.started()
                                   ? "the document ends before </plist>"
                                   : XML_ErrorString(code));
    }

    bool active() const { return status_ == Status::Incomplete && !builder_.finished(); }

    void check(bool accepted) {
        if (!accepted)
            fail(builder_.error());
    }

    static void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
        guarded(data, [&](XmlSession& self) {
            if (self.active())
                self.check(self.builder_.startElement(name, attributes));
        });
    }

    static void XMLCALL onEnd(void* data, const XML_Char*) {
        guarded(data, [&](XmlSession& self) {
            if (!self.active())
                return;
            self.check(self.builder_.endElement());
            if (self.status_ == Status::Incomplete && self.builder_.finished()) {
                self.endOffset_ = self.skippedBytes_ +
                                  static_cast<std::size_t>(XML_GetCurrentByteIndex(self.parser_) +
                                                           XML_GetCurrentByteCount(self.parser_));
                if (self.stopAtEnd_) {
                    self.status_ = Status::Complete;
                    XML_StopParser(self.parser_, XML_FALSE);
                }
            }
        });
    }

    static void XMLCALL onText(void* data, const XML_Char* text, int length) {
        guarded(data, [&](XmlSession& self) {
            if (self.active())
                self.check(self.builder_.characters(
                    std::string_view(text, static_cast<std::size_t>(length))));
        });
    }

    static void XMLCALL onEntityDeclaration(void* data, const XML_Char* name, int, const XML_Char*,
                                            int, const XML_Char*, const XML_Char*, const XML_Char*,
                                            const XML_Char*) {
        guarded(data, [&](XmlSession& self) {
            self.fail("the document declares entity " + excerpt(name) +
                      "; entity declarations are not accepted");
        });
    }

    static void XMLCALL onSkippedEntity(void* data, const XML_Char* name, int) {
        guarded(data, [&](XmlSession& self) {
            self.fail("reference to undefined entity " + excerpt(name));
        });
    }

    static void XMLCALL onComment(void* data, const XML_Char*) {
        guarded(data, [](XmlSession& self) { self.afterRoot(); });
    }

    static void XMLCALL onProcessingInstruction(void* data, const XML_Char*, const XML_Char*) {
        guarded(data, [](XmlSession& self) { self.afterRoot(); });
    }

    void afterRoot() {
        if (builder_.finished())
            fail("nothing but whitespace may follow </plist>");
    }

    XML_Parser parser_;
    XmlBuilder builder_;
    bool stopAtEnd_;
    Status status_ = Status::Incomplete;
    bool started_ = false;
    std::size_t skippedBytes_ = 0;
    std::size_t skippedLines_ = 0;
    std::size_t skippedColumns_ = 0;
    bool skippedCarriageReturn_ = false;
    std::size_t endOffset_ = 0;
    std::string error_;
};

} // namespace detail

ReadResult readXml(std::string_view text) {
    try {
        detail::XmlSession session(false);
        if (session.parse(text, true) != IncrementalXmlReader::Status::Complete)
            return ReadResult::failure(session.error());
        return ReadResult::success(session.takeValue());
    } catch (const std::bad_alloc&) {
        return ReadResult::failure("out of memory reading the XML document");
    }
}

// The session is created on first use so that constructing and resetting a reader cannot fail.
IncrementalXmlReader::IncrementalXmlReader() noexcept = default;
IncrementalXmlReader::~IncrementalXmlReader() = default;
IncrementalXmlReader::IncrementalXmlReader(IncrementalXmlReader&&) noexcept = default;
IncrementalXmlReader& IncrementalXmlReader::operator=(IncrementalXmlReader&&) noexcept = default;

IncrementalXmlReader::Status IncrementalXmlReader::feed(std::string_view chunk) {
    try {
        if (!session_)
            session_ = std::make_unique<detail::XmlSession>(true);
        return session_->parse(chunk, false);
    } catch (const std::bad_alloc&) {
        if (!session_)
            return Status::Incomplete;
        session_->abandon("out of memory reading the XML document");
        return Status::Malformed;
    }
}

IncrementalXmlReader::Status IncrementalXmlReader::status() const {
    return session_ ? session_->status() : Status::Incomplete;
}

std::size_t IncrementalXmlReader::endOffset() const { return session_ ? session_->endOffset() : 0; }

Value IncrementalXmlReader::takeValue() { return session_ ? session_->takeValue() : Value(); }

const std::string& IncrementalXmlReader::error() const {
    static const std::string none;
    return session_ ? session_->error() : none;
}

void IncrementalXmlReader::reset() noexcept { session_.reset(); }

} // namespace plist
