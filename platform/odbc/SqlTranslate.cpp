#include "platform/odbc/SqlTranslate.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace kvsql {

namespace {

bool IsIdentStart(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}

bool IsIdentChar(unsigned char c)
{
    return IsIdentStart(c) || (c >= '0' && c <= '9') || c == '$';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

bool EqualNoCase(const std::string& a, const char* b)
{
    size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
}

// The end of a quoted run that starts at i with `open` and ends with `close`;
// a doubled closing character stands for itself when `doubling` is set.
size_t QuotedEnd(const std::string& s, size_t i, char close, bool doubling)
{
    size_t j = i + 1;
    while (j < s.size()) {
        if (s[j] == close) {
            if (doubling && j + 1 < s.size() && s[j + 1] == close) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return s.size();
}

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r' || s[b] == '\n'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r' || s[e - 1] == '\n'))
        --e;
    return s.substr(b, e - b);
}

// Shortest text that reads back as exactly this double.
std::string FormatDouble(double d)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof(buf), d);
    return std::string(buf, res.ptr);
}

// A whole text that is a decimal number (blanks around allowed), parsed
// without regard to the process locale.
bool ParseNumber(const std::string& text, double& value, std::string& canonical)
{
    std::string t = Trim(text);
    if (t.empty())
        return false;
    size_t i = 0;
    std::string sign;
    if (t[i] == '+' || t[i] == '-') {
        if (t[i] == '-')
            sign = "-";
        ++i;
    }
    std::string body = t.substr(i);
    if (body.empty() || !(IsDigit(body[0]) || (body[0] == '.' && body.size() > 1 && IsDigit(body[1]))))
        return false;
    double d = 0;
    auto res = std::from_chars(body.data(), body.data() + body.size(), d, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != body.data() + body.size())
        return false;
    if (!std::isfinite(d))
        return false;
    value = sign.empty() ? d : -d;
    canonical = sign + body;
    return true;
}

} // namespace

std::vector<Token> Tokenize(const std::string& s)
{
    std::vector<Token> out;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = (unsigned char)s[i];
        size_t j = i + 1;
        TokenKind kind = TokenKind::Punct;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
            while (j < s.size() && (s[j] == ' ' || s[j] == '\t' || s[j] == '\r' || s[j] == '\n' ||
                                    s[j] == '\f' || s[j] == '\v'))
                ++j;
            kind = TokenKind::Space;
        } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            j = s.find('\n', i);
            j = (j == std::string::npos) ? s.size() : j + 1;
            kind = TokenKind::Space;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            j = s.find("*/", i + 2);
            j = (j == std::string::npos) ? s.size() : j + 2;
            kind = TokenKind::Space;
        } else if (c == '\'') {
            j = QuotedEnd(s, i, '\'', true);
            kind = TokenKind::String;
        } else if (c == '[') {
            j = QuotedEnd(s, i, ']', false);
            kind = TokenKind::Quoted;
        } else if (c == '"') {
            j = QuotedEnd(s, i, '"', true);
            kind = TokenKind::Quoted;
        } else if (c == '`') {
            j = QuotedEnd(s, i, '`', true);
            kind = TokenKind::Quoted;
        } else if (IsDigit((char)c) || (c == '.' && i + 1 < s.size() && IsDigit(s[i + 1]))) {
            while (j < s.size() && (IsDigit(s[j]) || s[j] == '.'))
                ++j;
            if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
                size_t k = j + 1;
                if (k < s.size() && (s[k] == '+' || s[k] == '-'))
                    ++k;
                if (k < s.size() && IsDigit(s[k])) {
                    j = k;
                    while (j < s.size() && IsDigit(s[j]))
                        ++j;
                }
            }
            kind = TokenKind::Number;
        } else if (IsIdentStart(c)) {
            while (j < s.size() && IsIdentChar((unsigned char)s[j]))
                ++j;
            kind = TokenKind::Identifier;
        } else if (i + 1 < s.size()) {
            std::string two = s.substr(i, 2);
            if (two == "<=" || two == ">=" || two == "<>" || two == "!=" || two == "||" || two == "==")
                j = i + 2;
        }
        out.push_back(Token{kind, s.substr(i, j - i)});
        i = j;
    }
    return out;
}

bool IsWord(const Token& token, const char* keyword)
{
    return token.kind == TokenKind::Identifier && EqualNoCase(token.text, keyword);
}

std::string Unquote(const Token& token)
{
    if (token.kind != TokenKind::Quoted || token.text.empty())
        return token.text;
    char open = token.text[0];
    char close = open == '[' ? ']' : open;
    std::string inner = token.text.substr(1);
    if (!inner.empty() && inner.back() == close)
        inner.pop_back();
    if (open != '[') {
        std::string out;
        for (size_t i = 0; i < inner.size(); ++i) {
            out += inner[i];
            if (inner[i] == close && i + 1 < inner.size() && inner[i + 1] == close)
                ++i;
        }
        return out;
    }
    return inner;
}

std::string StringValue(const Token& token)
{
    std::string t = token.text;
    if (t.size() >= 1 && t[0] == '\'')
        t.erase(0, 1);
    if (!t.empty() && t.back() == '\'')
        t.pop_back();
    std::string out;
    for (size_t i = 0; i < t.size(); ++i) {
        out += t[i];
        if (t[i] == '\'' && i + 1 < t.size() && t[i + 1] == '\'')
            ++i;
    }
    return out;
}

namespace {

std::string Quote(const std::string& text, char quote)
{
    std::string out(1, quote);
    for (char c : text) {
        out += c;
        if (c == quote)
            out += quote;
    }
    return out + quote;
}

} // namespace

std::string QuoteName(const std::string& name)
{
    return Quote(name, '"');
}

std::string QuoteLiteral(const std::string& text)
{
    return Quote(text, '\'');
}

std::string ValLiteral(const std::string& text)
{
    // Val skips blanks, tabs and line feeds anywhere in the number.
    std::string t;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            t += c;
    if (t.size() >= 2 && t[0] == '&' && (Upper(t[1]) == 'H' || Upper(t[1]) == 'O')) {
        int base = Upper(t[1]) == 'H' ? 16 : 8;
        long long v = 0;
        size_t i = 2;
        bool any = false;
        for (; i < t.size(); ++i) {
            int d;
            char c = Upper(t[i]);
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (base == 16 && c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                break;
            if (d >= base)
                break;
            v = v * base + d;
            any = true;
            if (v > 0xFFFFFFFFLL)
                break;
        }
        if (!any)
            return "0";
        return std::to_string(v);
    }
    size_t i = 0;
    std::string out;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-')
            out += '-';
        ++i;
    }
    std::string digits;
    while (i < t.size() && IsDigit(t[i]))
        digits += t[i++];
    std::string frac;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i]))
            frac += t[i++];
    }
    if (digits.empty() && frac.empty())
        return "0";
    std::string exp;
    if (i < t.size() && (Upper(t[i]) == 'E' || Upper(t[i]) == 'D')) {
        size_t k = i + 1;
        std::string e;
        if (k < t.size() && (t[k] == '+' || t[k] == '-'))
            e += t[k++];
        std::string ed;
        while (k < t.size() && IsDigit(t[k]))
            ed += t[k++];
        if (!ed.empty())
            exp = "e" + e + ed;
    }
    size_t nz = digits.find_first_not_of('0');
    digits = (nz == std::string::npos) ? "0" : digits.substr(nz);
    if (frac.empty() && exp.empty()) {
        if (digits == "0")
            return "0";
        return out + digits;
    }
    std::string number = digits + (frac.empty() ? "" : "." + frac) + exp;
    // A number too large for a double is what Access reports as an overflow;
    // keep it as SQLite reads it.
    return out + number;
}

bool DoubleLiteral(const std::string& text, std::string& literal)
{
    double d;
    std::string canonical;
    if (!ParseNumber(text, d, canonical))
        return false;
    literal = canonical;
    return true;
}

bool SingleLiteral(const std::string& text, std::string& literal)
{
    double d;
    std::string canonical;
    if (!ParseNumber(text, d, canonical))
        return false;
    if (std::fabs(d) > (double)std::numeric_limits<float>::max())
        return false;
    float f = (float)d;
    literal = FormatDouble((double)f);
    return true;
}

namespace {

// Index of the next token that is not blank, from i on; tokens.size() when none.
size_t NextSolid(const std::vector<Token>& t, size_t i)
{
    while (i < t.size() && t[i].kind == TokenKind::Space)
        ++i;
    return i;
}

// Replaces Val/CDbl/CSng of a literal starting at tokens[i] (the function
// name). Returns the index past the call and the literal, or 0 when the
// tokens there are not such a call.
size_t NumericCall(const std::vector<Token>& t, size_t i, std::string& literal)
{
    int fn = IsWord(t[i], "Val") ? 0 : IsWord(t[i], "CDbl") ? 1 : IsWord(t[i], "CSng") ? 2 : -1;
    if (fn < 0)
        return 0;
    size_t p = NextSolid(t, i + 1);
    if (p >= t.size() || t[p].text != "(")
        return 0;
    size_t a = NextSolid(t, p + 1);
    if (a >= t.size())
        return 0;
    std::string arg;
    if (t[a].kind == TokenKind::String)
        arg = StringValue(t[a]);
    else if (t[a].kind == TokenKind::Number)
        arg = t[a].text;
    else if (t[a].text == "-" || t[a].text == "+") {
        size_t n = NextSolid(t, a + 1);
        if (n >= t.size() || t[n].kind != TokenKind::Number)
            return 0;
        arg = t[a].text + t[n].text;
        a = n;
    } else
        return 0;
    size_t c = NextSolid(t, a + 1);
    if (c >= t.size() || t[c].text != ")")
        return 0;
    switch (fn) {
    case 0:
        literal = ValLiteral(arg);
        break;
    case 1:
        if (!DoubleLiteral(arg, literal))
            return 0;
        break;
    default:
        if (!SingleLiteral(arg, literal))
            return 0;
        break;
    }
    // A negative literal after a minus sign would read as "--" (a comment).
    if (!literal.empty() && literal[0] == '-')
        literal = "(" + literal + ")";
    return c + 1;
}

bool IsComparison(const Token& t)
{
    if (t.kind != TokenKind::Punct)
        return false;
    static const char* const ops[] = {"=", "==", "<>", "!=", "<", ">", "<=", ">="};
    for (const char* op : ops)
        if (t.text == op)
            return true;
    return false;
}

// Index of the token before i that is not blank; tokens.size() when none.
size_t PrevSolid(const std::vector<Token>& t, size_t i)
{
    while (i > 0) {
        --i;
        if (t[i].kind != TokenKind::Space)
            return i;
    }
    return t.size();
}

// A text literal at t[i] that is compared (= <> != < > <= >=, on either
// side), holds a letter whose case could matter and names no collation.
bool IsCaseComparedLiteral(const std::vector<Token>& t, size_t i)
{
    bool letter = false;
    for (char c : t[i].text)
        letter = letter || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!letter)
        return false;
    size_t prev = PrevSolid(t, i);
    size_t next = NextSolid(t, i + 1);
    if (next < t.size() && IsWord(t[next], "COLLATE"))
        return false;
    return (prev < t.size() && IsComparison(t[prev])) || (next < t.size() && IsComparison(t[next]));
}

} // namespace

std::string TranslateForSQLite(const std::string& sql)
{
    std::vector<Token> t = Tokenize(sql);
    std::string out;
    // A PRAGMA takes its value as it is.
    size_t first = NextSolid(t, 0);
    bool pragma = first < t.size() && IsWord(t[first], "PRAGMA");
    // Open TOP clauses: the parenthesis depth of their SELECT and the count.
    struct PendingLimit
    {
        int depth;
        std::string count;
    };
    std::vector<PendingLimit> pending;
    int depth = 0;

    auto closeLimits = [&](int atDepth) {
        while (!pending.empty() && pending.back().depth == atDepth) {
            // Put the LIMIT before the blanks that end the SELECT.
            size_t e = out.size();
            while (e > 0 && (out[e - 1] == ' ' || out[e - 1] == '\t' || out[e - 1] == '\r' || out[e - 1] == '\n'))
                --e;
            std::string tail = out.substr(e);
            out.erase(e);
            out += " LIMIT " + pending.back().count + tail;
            pending.pop_back();
        }
    };

    for (size_t i = 0; i < t.size(); ++i) {
        const Token& tok = t[i];
        if (tok.kind == TokenKind::Punct) {
            if (tok.text == "(")
                ++depth;
            else if (tok.text == ")") {
                closeLimits(depth);
                --depth;
            } else if (tok.text == ";")
                closeLimits(depth);
            out += tok.text;
            continue;
        }
        if (tok.kind == TokenKind::String && !pragma && IsCaseComparedLiteral(t, i)) {
            // Text compares without regard to case, as in the Access engine.
            out += tok.text + " COLLATE NOCASE";
            continue;
        }
        if (tok.kind == TokenKind::Identifier) {
            // @@IDENTITY (the key of this connection's last insert).
            if (IsWord(tok, "IDENTITY") && out.size() >= 2 && out.compare(out.size() - 2, 2, "@@") == 0) {
                out.erase(out.size() - 2);
                out += "last_insert_rowid()";
                continue;
            }
            std::string literal;
            if (size_t next = NumericCall(t, i, literal)) {
                out += literal;
                i = next - 1;
                continue;
            }
            if (IsWord(tok, "SELECT")) {
                out += tok.text;
                // SELECT [DISTINCT|ALL] TOP n
                size_t k = NextSolid(t, i + 1);
                size_t afterQualifier = i + 1;
                if (k < t.size() && (IsWord(t[k], "DISTINCT") || IsWord(t[k], "ALL"))) {
                    for (size_t m = i + 1; m <= k; ++m)
                        out += t[m].text;
                    afterQualifier = k + 1;
                    k = NextSolid(t, k + 1);
                }
                if (k < t.size() && IsWord(t[k], "TOP")) {
                    size_t n = NextSolid(t, k + 1);
                    if (n < t.size() && t[n].kind == TokenKind::Number &&
                        t[n].text.find_first_not_of("0123456789") == std::string::npos) {
                        size_t after = NextSolid(t, n + 1);
                        if (!(after < t.size() && IsWord(t[after], "PERCENT"))) {
                            pending.push_back(PendingLimit{depth, t[n].text});
                            // Keep one blank between SELECT and the select list.
                            out += " ";
                            i = after - 1;
                            continue;
                        }
                    }
                }
                i = afterQualifier - 1;
                continue;
            }
        }
        out += tok.text;
    }
    closeLimits(depth);
    while (!pending.empty())
        closeLimits(pending.back().depth);
    return out;
}

bool ParseAlterColumn(const std::string& sql, AlterColumn& alter)
{
    std::vector<Token> all = Tokenize(sql);
    std::vector<Token> t;
    for (auto& tok : all)
        if (tok.kind != TokenKind::Space)
            t.push_back(tok);
    while (!t.empty() && t.back().text == ";")
        t.pop_back();
    if (t.size() < 7 || !IsWord(t[0], "ALTER") || !IsWord(t[1], "TABLE"))
        return false;
    if (t[2].kind != TokenKind::Identifier && t[2].kind != TokenKind::Quoted)
        return false;
    if (!IsWord(t[3], "ALTER") || !IsWord(t[4], "COLUMN"))
        return false;
    if (t[5].kind != TokenKind::Identifier && t[5].kind != TokenKind::Quoted)
        return false;
    alter.table = Unquote(t[2]);
    alter.column = Unquote(t[5]);
    // The type is the rest of the statement, as written.
    size_t pos = 0;
    int solid = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].kind != TokenKind::Space && ++solid == 7) {
            break;
        }
        pos += all[i].text.size();
    }
    std::string type = Trim(sql.substr(pos));
    while (!type.empty() && (type.back() == ';' || type.back() == ' '))
        type.pop_back();
    if (type.empty())
        return false;
    alter.type = type;
    return true;
}

std::string SQLiteColumnType(const std::string& accessType)
{
    std::vector<Token> t;
    for (auto& tok : Tokenize(accessType))
        if (tok.kind != TokenKind::Space)
            t.push_back(tok);
    if (t.empty())
        return accessType;
    std::string size;
    if (t.size() >= 4 && t[1].text == "(" && t[2].kind == TokenKind::Number && t[3].text == ")")
        size = t[2].text;
    const Token& w = t[0];
    if (IsWord(w, "Text") || IsWord(w, "VarChar") || IsWord(w, "Char") || IsWord(w, "String") ||
        IsWord(w, "NVarChar") || IsWord(w, "NChar"))
        return "VARCHAR(" + (size.empty() ? std::string("255") : size) + ")";
    if (IsWord(w, "Memo") || IsWord(w, "LongText") || IsWord(w, "LongChar"))
        return "TEXT";
    if (IsWord(w, "Long") || IsWord(w, "Integer") || IsWord(w, "Int") || IsWord(w, "Counter") ||
        IsWord(w, "AutoIncrement"))
        return "INTEGER";
    if (IsWord(w, "Short") || IsWord(w, "SmallInt"))
        return "SMALLINT";
    if (IsWord(w, "Byte") || IsWord(w, "TinyInt"))
        return "TINYINT";
    if (IsWord(w, "Single") || IsWord(w, "Real"))
        return "REAL";
    if (IsWord(w, "Double") || IsWord(w, "Float"))
        return "DOUBLE";
    if (IsWord(w, "DateTime") || IsWord(w, "Date") || IsWord(w, "Time"))
        return "TIMESTAMP";
    if (IsWord(w, "Bit") || IsWord(w, "YesNo") || IsWord(w, "Logical"))
        return "BIT";
    if (IsWord(w, "Currency") || IsWord(w, "Money"))
        return "NUMERIC(19,4)";
    return accessType;
}

namespace {

// The parts of "CREATE TABLE name ( definitions ) tail": the token ranges
// [first, last) of the definitions (split at commas outside parentheses),
// the name and the closing parenthesis. False when the text is not such a
// statement.
struct CreateTableParts
{
    size_t nameAt = 0;
    size_t close = 0;
    std::vector<std::pair<size_t, size_t>> defs;
};

bool SplitCreateTable(const std::vector<Token>& t, CreateTableParts& parts)
{
    size_t i = NextSolid(t, 0);
    if (i >= t.size() || !IsWord(t[i], "CREATE"))
        return false;
    i = NextSolid(t, i + 1);
    if (i >= t.size() || !IsWord(t[i], "TABLE"))
        return false;
    parts.nameAt = NextSolid(t, i + 1);
    if (parts.nameAt >= t.size())
        return false;
    size_t open = NextSolid(t, parts.nameAt + 1);
    if (open >= t.size() || t[open].text != "(")
        return false;
    int depth = 0;
    size_t start = open + 1;
    for (size_t k = open + 1; k < t.size(); ++k) {
        if (t[k].text == "(")
            ++depth;
        else if (t[k].text == ")") {
            if (depth == 0) {
                parts.defs.push_back({start, k});
                parts.close = k;
                return true;
            }
            --depth;
        } else if (t[k].text == "," && depth == 0) {
            parts.defs.push_back({start, k});
            start = k + 1;
        }
    }
    return false;
}

// The first token of a column definition [first, last), when it is a column
// (not a table constraint); last otherwise.
size_t ColumnNameAt(const std::vector<Token>& t, size_t first, size_t last)
{
    size_t f = NextSolid(t, first);
    if (f < last && (t[f].kind == TokenKind::Identifier || t[f].kind == TokenKind::Quoted) &&
        !IsWord(t[f], "CONSTRAINT") && !IsWord(t[f], "PRIMARY") && !IsWord(t[f], "UNIQUE") &&
        !IsWord(t[f], "CHECK") && !IsWord(t[f], "FOREIGN"))
        return f;
    return last;
}

// The end of a column's type: the first constraint word after the name at
// f (or last).
size_t ColumnTypeEnd(const std::vector<Token>& t, size_t f, size_t last)
{
    static const char* const constraintWords[] = {"CONSTRAINT", "PRIMARY", "NOT",     "NULL",
                                                  "UNIQUE",     "CHECK",   "DEFAULT", "COLLATE",
                                                  "REFERENCES", "GENERATED", "AS"};
    int depth = 0;
    size_t k = f + 1;
    for (; k < last; ++k) {
        if (depth == 0 && t[k].kind == TokenKind::Identifier) {
            for (const char* w : constraintWords)
                if (IsWord(t[k], w))
                    return k;
        }
        if (t[k].text == "(")
            ++depth;
        else if (t[k].text == ")")
            --depth;
    }
    return k;
}

std::string Join(const std::vector<Token>& t, size_t first, size_t last)
{
    std::string text;
    for (size_t m = first; m < last; ++m)
        text += t[m].text;
    return text;
}

} // namespace

bool RewriteCreateTable(const std::string& createSql, const std::string& column,
                        const std::string& newType, const std::string& newTable, std::string& out)
{
    std::vector<Token> t = Tokenize(createSql);
    CreateTableParts parts;
    if (!SplitCreateTable(t, parts))
        return false;
    bool found = false;
    std::string body;
    for (size_t d = 0; d < parts.defs.size(); ++d) {
        size_t first = parts.defs[d].first, last = parts.defs[d].second;
        size_t f = ColumnNameAt(t, first, last);
        std::string def;
        if (f < last) {
            std::string name = Unquote(t[f]);
            bool same = name.size() == column.size();
            for (size_t c = 0; same && c < name.size(); ++c)
                same = Upper(name[c]) == Upper(column[c]);
            if (same) {
                found = true;
                // The old type goes; the constraints stay.
                def = t[f].text + " " + newType;
                std::string rest = Trim(Join(t, ColumnTypeEnd(t, f, last), last));
                if (!rest.empty())
                    def += " " + rest;
            }
        }
        if (def.empty())
            def = Trim(Join(t, first, last));
        body += (d ? ", " : "") + def;
    }
    if (!found)
        return false;
    out = "CREATE TABLE " + QuoteName(newTable) + " (" + body + ")" + Join(t, parts.close + 1, t.size());
    return true;
}

std::string TextColumnsNoCase(const std::string& createSql)
{
    std::vector<Token> t = Tokenize(createSql);
    CreateTableParts parts;
    if (!SplitCreateTable(t, parts))
        return createSql;
    // " COLLATE NOCASE" goes after the type of each text column that has no
    // collation of its own.
    std::vector<size_t> insertAfter;
    for (const auto& def : parts.defs) {
        size_t f = ColumnNameAt(t, def.first, def.second);
        if (f >= def.second)
            continue;
        size_t typeEnd = ColumnTypeEnd(t, f, def.second);
        bool collated = false;
        for (size_t m = typeEnd; m < def.second; ++m)
            collated = collated || IsWord(t[m], "COLLATE");
        std::string type;
        size_t lastTypeToken = f;
        for (size_t m = f + 1; m < typeEnd; ++m)
            if (t[m].kind != TokenKind::Space) {
                for (char c : t[m].text)
                    type += Upper(c);
                lastTypeToken = m;
            }
        bool text = type.find("CHAR") != std::string::npos || type.find("CLOB") != std::string::npos ||
                    type.find("TEXT") != std::string::npos;
        if (text && !collated)
            insertAfter.push_back(lastTypeToken);
    }
    std::string out;
    size_t next = 0;
    for (size_t k = 0; k < t.size(); ++k) {
        out += t[k].text;
        if (next < insertAfter.size() && insertAfter[next] == k) {
            out += " COLLATE NOCASE";
            ++next;
        }
    }
    return out;
}

} // namespace kvsql
