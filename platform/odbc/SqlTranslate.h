// SQL text handling of the database engine: a small lexer, and the one
// translation of the program's SQL (written for the Access engine) into the
// dialect of SQLite. The connection applies the translation to every
// statement it sends to a SQLite database; nothing else translates SQL.
#pragma once

#include <string>
#include <vector>

namespace kvsql {

enum class TokenKind
{
    Space,       // blanks, line breaks and comments
    Identifier,  // bare word: names and keywords
    Quoted,      // [name], "name" or `name`
    String,      // 'text' (a doubled quote stands for one quote)
    Number,      // 12, 1.5, .5, 1e-3
    Punct,       // anything else, one or two characters (<=, <>, >=, !=, ||)
};

struct Token
{
    TokenKind kind;
    std::string text;  // exactly as it stands in the statement
};

// Splits SQL text into tokens; joining the texts gives the input back. An
// unterminated quote or bracket runs to the end of the text.
std::vector<Token> Tokenize(const std::string& sql);

// Case-insensitive comparison of a token with a keyword (ASCII letters).
bool IsWord(const Token& token, const char* keyword);

// The name inside a quoted identifier ([a b] -> a b, "a""b" -> a"b), or the
// bare word itself.
std::string Unquote(const Token& token);

// The text of a string literal token without its quotes, doubled quotes
// made single.
std::string StringValue(const Token& token);

// Translates a statement of the program's SQL for SQLite:
// - SELECT [DISTINCT] TOP n ... becomes SELECT [DISTINCT] ... LIMIT n, the
//   LIMIT placed at the end of that SELECT (before a closing parenthesis of
//   a sub-query, before a final ";", or at the end);
// - Val('...'), CDbl('...') and CSng('...') of a literal become the numeric
//   literal; CSng rounds to single precision, so that the number equals what
//   a single-precision column holds. A literal that is not a number is left
//   alone (SQLite then reports the unknown function);
// - @@IDENTITY becomes last_insert_rowid() (the key of the connection's last
//   insert);
// - a text literal compared with = <> != < > <= >= (on either side) that
//   holds a letter gets COLLATE NOCASE, so that text compares without
//   regard to case as in the Access engine, whatever the column's own
//   collation and also where a function of the column is compared
//   (SQLite's NOCASE folds the letters A to Z only). A PRAGMA is left as it
//   is.
// Brackets and back-quotes stay: SQLite accepts both. Everything else passes
// unchanged, quoted text included.
std::string TranslateForSQLite(const std::string& sql);

// The numeric literal that Access's Val gives for a text: leading number,
// blanks ignored, 0 when there is none (also &H hex and &O octal).
std::string ValLiteral(const std::string& text);

// The literal for CDbl / CSng of a text; false when the text is not a
// number (or is out of range for a single).
bool DoubleLiteral(const std::string& text, std::string& literal);
bool SingleLiteral(const std::string& text, std::string& literal);

// "ALTER TABLE t ALTER COLUMN c type": the table, the column and the new
// type (as written). False for any other statement.
struct AlterColumn
{
    std::string table;
    std::string column;
    std::string type;
};
bool ParseAlterColumn(const std::string& sql, AlterColumn& alter);

// The SQLite declaration for an Access column type: Text(n)/Char(n)/
// VarChar(n) -> VARCHAR(n), Text -> VARCHAR(255), Memo -> TEXT, Long/Integer
// -> INTEGER, Short/SmallInt -> SMALLINT, Byte -> TINYINT, Single/Real ->
// REAL, Double/Float -> DOUBLE, DateTime -> TIMESTAMP, Bit/YesNo -> BIT,
// Currency -> NUMERIC(19,4). Any other type is kept as written.
std::string SQLiteColumnType(const std::string& accessType);

// Rewrites a CREATE TABLE statement (as SQLite keeps it) so that the column
// named `column` (compared without case) gets `newType`, keeping its
// constraints, and the table is named `newTable`. False when the statement
// cannot be read or has no such column.
bool RewriteCreateTable(const std::string& createSql, const std::string& column,
                        const std::string& newType, const std::string& newTable,
                        std::string& out);

// Adds " COLLATE NOCASE" to each column of a CREATE TABLE statement whose
// declared type gives it text affinity (CHAR, CLOB or TEXT in the type) and
// that names no collation, so that its values compare and sort without
// regard to case, as the Access engine's text does. Anything else is
// returned unchanged.
std::string TextColumnsNoCase(const std::string& createSql);

// A name quoted for SQL with double quotes ("a""b").
std::string QuoteName(const std::string& name);

// A text as an SQL string literal ('it''s').
std::string QuoteLiteral(const std::string& text);

} // namespace kvsql
