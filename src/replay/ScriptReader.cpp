#include "ScriptReader.h"

using namespace Qt::Literals::StringLiterals;

namespace lamina::replay {

const Node *Node::keyword(const QString &name) const
{
    for (std::size_t i = 0; i < keywordNames.size(); ++i) {
        if (keywordNames[i] == name)
            return &keywordValues[i];
    }
    return nullptr;
}

QString Node::rootName() const
{
    const Node *node = this;
    while (!node->base.empty() && node->kind != Kind::name)
        node = &node->base.front();
    return node->kind == Kind::name ? node->text : QString();
}

namespace {

struct ParseError
{
    int line;
    QString message;
};

class Parser
{
public:
    explicit Parser(const QString &text)
        : s(text)
    {}

    ReadScript run()
    {
        ReadScript result;
        while (true) {
            skipBlankAndComments(true);
            if (pos >= s.size())
                break;
            const int startLine = line;
            try {
                Node node = expression();
                skipSpace(false);
                if (peek() == u'=') {
                    ++pos;
                    Node assignment;
                    assignment.kind = Node::Kind::assignment;
                    assignment.line = node.line;
                    assignment.base.push_back(std::move(node));
                    assignment.items.push_back(expression());
                    node = std::move(assignment);
                }
                skipSpace(false);
                if (pos < s.size() && peek() != u'\n' && peek() != u'#')
                    throw ParseError{line, u"unexpected \"%1\""_s.arg(peek())};
                result.statements.push_back({startLine, std::move(node)});
            } catch (const ParseError &error) {
                result.errors.push_back({error.line, error.message});
                depth = 0;
                while (pos < s.size() && s[pos] != u'\n')
                    ++pos;
            }
        }
        return result;
    }

private:
    QChar peek() const { return pos < s.size() ? s[pos] : QChar(); }

    // Inside brackets a line break is only a blank.
    void skipSpace(bool lineBreaks)
    {
        while (pos < s.size()) {
            const QChar c = s[pos];
            if (c == u'\n' && (lineBreaks || depth > 0)) {
                ++line;
                ++pos;
            } else if (c == u' ' || c == u'\t' || c == u'\r') {
                ++pos;
            } else if (c == u'#' && depth > 0) {
                while (pos < s.size() && s[pos] != u'\n')
                    ++pos;
            } else {
                break;
            }
        }
    }

    void skipBlankAndComments(bool)
    {
        while (true) {
            skipSpace(true);
            if (peek() != u'#')
                return;
            while (pos < s.size() && s[pos] != u'\n')
                ++pos;
        }
    }

    void expect(QChar c)
    {
        skipSpace(false);
        if (peek() != c)
            throw ParseError{line,
                             pos < s.size() && peek() != u'\n'
                                 ? u"\"%1\" where \"%2\" belongs"_s.arg(peek(), c)
                                 : u"\"%1\" missing"_s.arg(c)};
        ++pos;
    }

    Node expression()
    {
        Node node = primary();
        while (true) {
            skipSpace(false);
            const QChar c = peek();
            if (c == u'[') {
                ++pos;
                ++depth;
                Node sub;
                sub.kind = Node::Kind::subscript;
                sub.line = node.line;
                sub.base.push_back(std::move(node));
                sub.items = sequence(u']');
                --depth;
                node = std::move(sub);
            } else if (c == u'(') {
                ++pos;
                ++depth;
                Node call;
                call.kind = Node::Kind::call;
                call.line = node.line;
                call.base.push_back(std::move(node));
                arguments(call);
                --depth;
                node = std::move(call);
            } else if (c == u'.') {
                ++pos;
                skipSpace(false);
                Node attr;
                attr.kind = Node::Kind::attribute;
                attr.line = node.line;
                attr.text = identifier();
                if (attr.text.isEmpty())
                    throw ParseError{line, u"a name must follow \".\""_s};
                attr.base.push_back(std::move(node));
                node = std::move(attr);
            } else {
                return node;
            }
        }
    }

    std::vector<Node> sequence(QChar close)
    {
        std::vector<Node> items;
        skipSpace(false);
        if (peek() == close) {
            ++pos;
            return items;
        }
        while (true) {
            items.push_back(expression());
            skipSpace(false);
            if (peek() == u',') {
                ++pos;
                skipSpace(false);
                if (peek() == close) {
                    ++pos;
                    return items;
                }
                continue;
            }
            expect(close);
            return items;
        }
    }

    void arguments(Node &call)
    {
        skipSpace(false);
        if (peek() == u')') {
            ++pos;
            return;
        }
        while (true) {
            skipSpace(false);
            const qsizetype save = pos;
            const QString name = identifier();
            skipSpace(false);
            if (!name.isEmpty() && peek() == u'=') {
                ++pos;
                call.keywordNames.push_back(name);
                call.keywordValues.push_back(expression());
            } else {
                pos = save;
                if (!call.keywordNames.empty())
                    throw ParseError{line, u"a plain argument after a keyword argument"_s};
                call.items.push_back(expression());
            }
            skipSpace(false);
            if (peek() == u',') {
                ++pos;
                skipSpace(false);
                if (peek() == u')') {
                    ++pos;
                    return;
                }
                continue;
            }
            expect(u')');
            return;
        }
    }

    QString identifier()
    {
        const qsizetype start = pos;
        while (pos < s.size() && (s[pos].isLetterOrNumber() || s[pos] == u'_')
               && !(pos == start && s[pos].isDigit()))
            ++pos;
        return s.mid(start, pos - start);
    }

    Node primary()
    {
        // Brackets nest only a few deep in any script; a file of nothing
        // but brackets must not exhaust the stack.
        if (depth > maxDepth)
            throw ParseError{line, u"brackets nest more than %1 deep"_s.arg(maxDepth)};
        skipSpace(false);
        const QChar c = peek();
        Node node;
        node.line = line;
        if (c == u'\'' || c == u'"') {
            ++pos;
            const qsizetype start = pos;
            while (pos < s.size() && s[pos] != c && s[pos] != u'\n')
                ++pos;
            if (peek() != c)
                throw ParseError{line, u"a text in quotes does not end on its line"_s};
            node.kind = Node::Kind::string;
            node.text = s.mid(start, pos - start);
            ++pos;
            return node;
        }
        if (c == u'[') {
            ++pos;
            ++depth;
            node.kind = Node::Kind::list;
            node.items = sequence(u']');
            --depth;
            return node;
        }
        if (c == u'(') {
            ++pos;
            ++depth;
            node = expression();
            expect(u')');
            --depth;
            return node;
        }
        if (c.isDigit() || c == u'.' || c == u'-' || c == u'+') {
            const qsizetype start = pos;
            if (c == u'-' || c == u'+')
                ++pos;
            skipSpace(false);
            const qsizetype digits = pos;
            while (pos < s.size() && (s[pos].isDigit() || s[pos] == u'.'))
                ++pos;
            if (pos < s.size() && (s[pos] == u'e' || s[pos] == u'E')) {
                qsizetype e = pos + 1;
                if (e < s.size() && (s[e] == u'+' || s[e] == u'-'))
                    ++e;
                if (e < s.size() && s[e].isDigit()) {
                    pos = e;
                    while (pos < s.size() && s[pos].isDigit())
                        ++pos;
                }
            }
            QString text = s.mid(start, pos - start);
            text.remove(u' ');
            bool ok = pos > digits;
            node.kind = Node::Kind::number;
            node.number = ok ? text.toDouble(&ok) : 0;
            if (!ok)
                throw ParseError{line, u"\"%1\" is not a number"_s.arg(text)};
            node.text = text;
            return node;
        }
        node.kind = Node::Kind::name;
        node.text = identifier();
        if (node.text.isEmpty()) {
            if (pos >= s.size() || c == u'\n')
                throw ParseError{line, u"the statement ends too early"_s};
            throw ParseError{line, u"unexpected \"%1\""_s.arg(c)};
        }
        return node;
    }

    static constexpr int maxDepth = 100;
    const QString &s;
    qsizetype pos = 0;
    int line = 1;
    int depth = 0;
};

}  // namespace

ReadScript readScript(const QString &text)
{
    return Parser(text).run();
}

}  // namespace lamina::replay
