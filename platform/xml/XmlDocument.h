// Reading XML files through the system's XML DOM (MSXML 6, reached through
// COM). Text crosses this interface as UTF-8; paths are UTF-8 too.
//
// A reader keeps a ComScope for as long as it uses documents and nodes:
// COM is initialised on the calling thread for that time.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct IXMLDOMDocument;
struct IXMLDOMNode;

namespace kvxml {

// Initialises COM on the calling thread for the object's lifetime (when it
// was already initialised, the count is only raised, and lowered again).
class ComScope
{
public:
    ComScope();
    ~ComScope();
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    // False when COM could not be used on this thread.
    bool Ok() const { return m_ok; }

private:
    bool m_ok = false;
    bool m_mustUninitialise = false;
};

// One node of a loaded document; holds a reference of its own, so it stays
// valid after the list it came from is gone (but not after its ComScope).
class XmlNode
{
public:
    XmlNode() = default;
    explicit XmlNode(IXMLDOMNode* pNode);   // takes a reference of its own
    XmlNode(const XmlNode& other);
    XmlNode& operator=(const XmlNode& other);
    ~XmlNode();

    bool IsNull() const { return m_pNode == nullptr; }
    // The node's name ("Color" for an element <Color>); empty for a null node.
    std::string Name() const;
    // True for an element (text, comments and the like are not).
    bool IsElement() const;
    // The text of the node and all its descendants.
    std::string Text() const;
    // The attribute's value; false (value left empty) when the node is no
    // element or has no such attribute.
    bool Attribute(const char* name, std::string& value) const;
    // The child nodes in document order (elements, text, comments...).
    std::vector<XmlNode> Children() const;

private:
    IXMLDOMNode* m_pNode = nullptr;
};

class XmlDocument
{
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // True when the DOM could be created (MSXML 6 is installed).
    bool IsCreated() const { return m_pDoc != nullptr; }
    // Loads and parses the file at path, synchronously. False when the file
    // cannot be read or is not well-formed XML; the document is then empty.
    bool Load(const std::string& path);
    // The nodes an XPath expression selects, from the document node, in
    // document order ("Colors/Color": the Color elements of the root Colors).
    std::vector<XmlNode> SelectNodes(const char* xpath) const;

private:
    IXMLDOMDocument* m_pDoc = nullptr;
};

// UTF-8 <-> UTF-16 for text crossing into COM.
std::wstring Widen(const std::string& text);
std::string Narrow(const wchar_t* text, int length = -1);

// Loads the file at path and hands each node the XPath expression selects
// to `each`, in document order, while COM and the document are at hand.
// False when the file cannot be loaded as XML (or COM cannot be used) or
// nothing is selected. What `each` throws passes through.
bool ForEachSelected(const std::string& path, const char* xpath, const std::function<void(const XmlNode&)>& each);

} // namespace kvxml
