#include "http/http_request.h"

#include <algorithm>
#include <charconv>

namespace tarvik::server::http {

namespace {

constexpr auto npos = std::string_view::npos;
constexpr std::string_view Blanks = " \t";

constexpr int BadRequest = 400;
constexpr int ContentTooLarge = 413;
constexpr int UriTooLong = 414;
constexpr int FieldsTooLarge = 431;
constexpr int NotImplemented = 501;
constexpr int VersionNotSupported = 505;

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool isTokenChar(unsigned char c)
{
    const unsigned char lower = c | 0x20;
    return isDigit(c) || (lower >= 'a' && lower <= 'z') ||
           std::string_view("!#$%&'*+-.^_`|~").find(static_cast<char>(c)) != npos;
}

bool isToken(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), isTokenChar);
}

bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7f;
}

char lowered(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return lowered(x) == lowered(y); });
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == npos)
        return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// Calls `visit` with each piece of `text` between separators, empty ones too.
template <typename Visit>
void forEachPiece(std::string_view text, char separator, Visit visit)
{
    for (;;) {
        const std::size_t end = text.find(separator);
        visit(text.substr(0, end));
        if (end == npos)
            return;
        text.remove_prefix(end + 1);
    }
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    const char lower = lowered(c);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// "%" and two hex digits at `at` give one byte; anything else stays as written.
std::string percentDecoded(std::string_view text, bool plusIsBlank)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const int high = at + 2 < text.size() && text[at] == '%' ? hexValue(text[at + 1]) : -1;
        const int low = high >= 0 ? hexValue(text[at + 2]) : -1;
        if (low >= 0) {
            decoded += static_cast<char>(high * 16 + low);
            at += 2;
        } else {
            decoded += plusIsBlank && text[at] == '+' ? ' ' : text[at];
        }
    }
    return decoded;
}

std::vector<std::pair<std::string, std::string>> queryPairs(std::string_view query)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    forEachPiece(query, '&', [&pairs](std::string_view piece) {
        if (piece.empty())
            return;
        const std::size_t equals = piece.find('=');
        const std::string_view value = equals == npos ? std::string_view() : piece.substr(equals + 1);
        pairs.emplace_back(percentDecoded(piece.substr(0, equals), true), percentDecoded(value, true));
    });
    return pairs;
}

// The LF at `lf` ends an empty line (a bare CR allowed) that follows another
// line: the end of a head.
bool endsHead(std::string_view bytes, std::size_t lf)
{
    return (lf >= 1 && bytes[lf - 1] == '\n') || (lf >= 2 && bytes[lf - 1] == '\r' && bytes[lf - 2] == '\n');
}

// The head's lines without their line ends, the empty line that ends it left out.
std::vector<std::string_view> headLines(std::string_view head)
{
    std::vector<std::string_view> lines;
    for (std::size_t lf; (lf = head.find('\n')) != npos; head.remove_prefix(lf + 1)) {
        std::string_view line = head.substr(0, lf);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
    }
    lines.pop_back();
    return lines;
}

struct RequestLine {
    std::string_view method;
    std::string_view target;
    bool http11 = false;
};

// A path of visible characters; the absolute and asterisk forms are not
// taken, as this server is nobody's proxy.
bool isOriginForm(std::string_view target)
{
    return target.starts_with('/') &&
           std::none_of(target.begin(), target.end(), [](unsigned char c) { return c == ' ' || isControl(c); });
}

bool isHttpVersion(std::string_view version)
{
    return version.size() == 8 && version.starts_with("HTTP/") && isDigit(version[5]) && version[6] == '.' &&
           isDigit(version[7]);
}

// "METHOD /target HTTP/1.1" with single spaces: any other blank makes the
// parts ambiguous to whatever stands between the client and this server.
std::variant<Refusal, RequestLine> requestLine(std::string_view line)
{
    const std::size_t firstSpace = line.find(' ');
    const std::size_t secondSpace = firstSpace == npos ? npos : line.find(' ', firstSpace + 1);
    if (secondSpace == npos)
        return Refusal{BadRequest, "the request line is not a method, a target and a version"};
    RequestLine parts{line.substr(0, firstSpace), line.substr(firstSpace + 1, secondSpace - firstSpace - 1)};
    const std::string_view version = line.substr(secondSpace + 1);
    if (!isToken(parts.method))
        return Refusal{BadRequest, "the method is not a token"};
    if (!isOriginForm(parts.target))
        return Refusal{BadRequest, "the target is not a path of visible characters"};
    if (version == "HTTP/1.1" || version == "HTTP/1.0") {
        parts.http11 = version == "HTTP/1.1";
        return parts;
    }
    if (isHttpVersion(version))
        return Refusal{VersionNotSupported, "the HTTP version is neither 1.0 nor 1.1"};
    return Refusal{BadRequest, "the request line's version is malformed"};
}

// What the header fields say about the body and the connection.
struct Fields {
    int hosts = 0;
    int contentLengths = 0;
    std::string_view contentLength;
    bool transferEncoding = false;
    bool close = false;
    bool keepAlive = false;
};

void noteConnectionOptions(std::string_view value, Fields &fields)
{
    forEachPiece(value, ',', [&fields](std::string_view piece) {
        const std::string_view option = trimmed(piece);
        fields.close = fields.close || equalsIgnoringCase(option, "close");
        fields.keepAlive = fields.keepAlive || equalsIgnoringCase(option, "keep-alive");
    });
}

void noteField(std::string_view name, std::string_view value, Fields &fields)
{
    if (equalsIgnoringCase(name, "Host")) {
        ++fields.hosts;
    } else if (equalsIgnoringCase(name, "Content-Length")) {
        ++fields.contentLengths;
        fields.contentLength = value;
    } else if (equalsIgnoringCase(name, "Transfer-Encoding")) {
        fields.transferEncoding = true;
    } else if (equalsIgnoringCase(name, "Connection")) {
        noteConnectionOptions(value, fields);
    }
}

// "name: value". A blank before the colon or a folded line could make a
// proxy in front read other fields than this server does.
std::optional<Refusal> takeField(std::string_view line, Fields &fields)
{
    if (line.front() == ' ' || line.front() == '\t')
        return Refusal{BadRequest, "a header field line is folded"};
    const std::size_t colon = line.find(':');
    const std::string_view name = line.substr(0, colon);
    if (colon == npos || !isToken(name))
        return Refusal{BadRequest, "a header field's name is not a token"};
    const std::string_view value = trimmed(line.substr(colon + 1));
    if (std::any_of(value.begin(), value.end(), [](unsigned char c) { return isControl(c) && c != '\t'; }))
        return Refusal{BadRequest, "a header field's value holds a control byte"};
    noteField(name, value, fields);
    return std::nullopt;
}

// Only a body of one Content-Length is taken: two ways of framing it, or two
// lengths, are how requests get smuggled past a proxy.
std::variant<Refusal, unsigned long long> bodyLength(const Fields &fields)
{
    if (fields.transferEncoding && fields.contentLengths > 0)
        return Refusal{BadRequest, "both Transfer-Encoding and Content-Length frame the body"};
    if (fields.transferEncoding)
        return Refusal{NotImplemented, "a body in a transfer coding is not taken"};
    if (fields.contentLengths > 1)
        return Refusal{BadRequest, "Content-Length is given more than once"};
    if (fields.contentLengths == 0)
        return 0ULL;
    const std::string_view text = fields.contentLength;
    unsigned long long length = 0;
    const bool digitsOnly = !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
    if (!digitsOnly || std::from_chars(text.data(), text.data() + text.size(), length).ec != std::errc())
        return Refusal{BadRequest, "Content-Length is not a number"};
    return length;
}

Request decodedRequest(const RequestLine &line, const Fields &fields)
{
    Request request;
    request.method = line.method;
    request.target = line.target;
    const std::size_t pathEnd = line.target.find_first_of("?#");
    request.path = percentDecoded(line.target.substr(0, pathEnd), false);
    if (pathEnd != npos && line.target[pathEnd] == '?') {
        const std::string_view query = line.target.substr(pathEnd + 1);
        request.query = queryPairs(query.substr(0, query.find('#')));
    }
    request.keepAlive = !fields.close && (line.http11 || fields.keepAlive);
    return request;
}

struct Head {
    Request request;
    unsigned long long bodyLength = 0;
};

std::variant<Refusal, Head> parsedHead(std::string_view bytes)
{
    const std::vector<std::string_view> lines = headLines(bytes);
    const auto line = requestLine(lines.front());
    if (const auto *refused = std::get_if<Refusal>(&line))
        return *refused;
    Fields fields;
    for (auto field = lines.begin() + 1; field != lines.end(); ++field) {
        if (std::optional<Refusal> refused = takeField(*field, fields))
            return *refused;
    }
    const RequestLine &start = std::get<RequestLine>(line);
    if (fields.hosts > 1 || (start.http11 && fields.hosts == 0))
        return Refusal{BadRequest, "an HTTP/1.1 request names no host, or a request names two"};
    const auto length = bodyLength(fields);
    if (const auto *refused = std::get_if<Refusal>(&length))
        return *refused;
    return Head{decodedRequest(start, fields), std::get<unsigned long long>(length)};
}

} // namespace

namespace {

const std::string *firstValue(const std::vector<std::pair<std::string, std::string>> &pairs, std::string_view key)
{
    const auto found = std::find_if(pairs.begin(), pairs.end(), [key](const auto &pair) { return pair.first == key; });
    return found == pairs.end() ? nullptr : &found->second;
}

} // namespace

const std::string *Request::parameter(std::string_view key) const
{
    return firstValue(query, key);
}

const std::string *Request::formField(std::string_view key) const
{
    return firstValue(form, key);
}

RequestReader::RequestReader(std::size_t maxHeadBytes, std::size_t maxBodyBytes)
    : m_maxHeadBytes(maxHeadBytes),
      m_maxBodyBytes(maxBodyBytes)
{
}

void RequestReader::feed(std::string_view bytes)
{
    if (!m_refused)
        m_buffer.append(bytes);
}

ReadResult RequestReader::next()
{
    if (m_refused)
        return Incomplete{};
    if (m_awaitingBody)
        return takeBody();
    const std::optional<std::size_t> length = headLength();
    return length ? takeHead(*length) : refusalIfOversized();
}

bool RequestReader::hasPending() const
{
    return !m_refused && (m_awaitingBody || m_start < m_buffer.size());
}

std::string_view RequestReader::unread() const
{
    return std::string_view(m_buffer).substr(m_start);
}

// The search goes on where it stopped, and never past the head's limit, so
// however the bytes arrive each is looked at once.
std::optional<std::size_t> RequestReader::headLength()
{
    const std::string_view window = unread().substr(0, m_maxHeadBytes);
    for (std::size_t lf; (lf = window.find('\n', m_scanned)) != npos;) {
        m_scanned = lf + 1;
        if (endsHead(window, lf))
            return lf + 1;
    }
    m_scanned = window.size();
    return std::nullopt;
}

ReadResult RequestReader::refusalIfOversized()
{
    if (unread().size() <= m_maxHeadBytes)
        return Incomplete{};
    if (unread().substr(0, m_maxHeadBytes).find('\n') == npos)
        return refuse({UriTooLong, "the request line is longer than a head may be"});
    return refuse({FieldsTooLarge, "the header fields are longer than a head may be"});
}

ReadResult RequestReader::takeHead(std::size_t length)
{
    std::variant<Refusal, Head> head = parsedHead(unread().substr(0, length));
    consume(length);
    m_scanned = 0;
    if (auto *refused = std::get_if<Refusal>(&head))
        return refuse(std::move(*refused));
    Head &taken = std::get<Head>(head);
    if (taken.bodyLength > m_maxBodyBytes)
        return refuse({ContentTooLarge, "the body is longer than this server takes"});
    m_awaitingBody = std::move(taken.request);
    m_bodyLeft = static_cast<std::size_t>(taken.bodyLength);
    return takeBody();
}

ReadResult RequestReader::takeBody()
{
    const std::size_t taken = std::min(m_bodyLeft, unread().size());
    m_body.append(unread().substr(0, taken));
    consume(taken);
    m_bodyLeft -= taken;
    if (m_bodyLeft > 0)
        return Incomplete{};
    Request request = std::move(*m_awaitingBody);
    m_awaitingBody.reset();
    request.form = queryPairs(m_body);
    m_body.clear();
    return request;
}

ReadResult RequestReader::refuse(Refusal refusal)
{
    m_refused = true;
    m_buffer = std::string();
    m_start = 0;
    m_awaitingBody.reset();
    m_body = std::string();
    return refusal;
}

void RequestReader::consume(std::size_t bytes)
{
    m_start += bytes;
    if (m_start >= m_buffer.size() - m_start) {
        m_buffer.erase(0, m_start);
        m_start = 0;
    }
}

} // namespace tarvik::server::http
