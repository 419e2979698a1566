#pragma once

#include <QString>

#include <vector>

namespace lamina::replay {

// One piece of a script statement, read the way Python would read it.
struct Node
{
    enum class Kind {
        number,      // a literal; text keeps it as written
        string,      // a quoted text; text holds its contents
        name,        // an identifier
        list,        // [a, b, ...]: items
        call,        // base(items..., keywords...)
        subscript,   // base[items...]
        attribute,   // base.text
        assignment,  // base = items[0]
    };

    Kind kind = Kind::name;
    int line = 0;  // where it begins in the script
    double number = 0;
    QString text;
    std::vector<Node> items;
    // Keyword arguments, name by name; kept as two lists because a pair
    // cannot hold the Node being defined.
    std::vector<QString> keywordNames;
    std::vector<Node> keywordValues;
    std::vector<Node> base;  // none or one

    const Node *keyword(const QString &name) const;
    // The dotted name a call or subscript starts from: "Point" for
    // Point[12], "PointCoordinates" for PointCoordinates[8].propagate(...).
    QString rootName() const;
};

struct Statement
{
    int line = 0;  // where the statement begins, counted from 1
    Node node;
};

struct ReadError
{
    int line = 0;
    QString message;
};

struct ReadScript
{
    std::vector<Statement> statements;
    std::vector<ReadError> errors;
};

// Splits the script into statements. A statement ends at a line break
// outside brackets; '#' starts a comment. A statement that cannot be read
// becomes an error with its line, and reading goes on at the next line.
ReadScript readScript(const QString &text);

}  // namespace lamina::replay
