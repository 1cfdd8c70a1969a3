#include "platform/xml/XmlDocument.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <msxml2.h>

namespace kvxml {

namespace {

// Releases a COM interface when it goes out of scope.
template <class T>
class Ref
{
public:
    Ref() = default;
    ~Ref() { Reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    T** Out() { Reset(); return &m_p; }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void Reset()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};

// A BSTR freed when it goes out of scope.
class Bstr
{
public:
    Bstr() = default;
    explicit Bstr(const std::string& text)
    {
        std::wstring wide = Widen(text);
        m_b = ::SysAllocStringLen(wide.data(), (UINT)wide.size());
    }
    ~Bstr() { ::SysFreeString(m_b); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR* Out()
    {
        ::SysFreeString(m_b);
        m_b = nullptr;
        return &m_b;
    }
    BSTR Get() const { return m_b; }
    std::string Utf8() const { return m_b ? Narrow(m_b, (int)::SysStringLen(m_b)) : std::string(); }

private:
    BSTR m_b = nullptr;
};

} // namespace

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0);
    std::wstring wide(n, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), wide.data(), n);
    return wide;
}

std::string Narrow(const wchar_t* text, int length)
{
    if (text == nullptr || length == 0)
        return std::string();
    if (length < 0)
        length = (int)wcslen(text);
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(n, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, narrow.data(), n, nullptr, nullptr);
    return narrow;
}

/////////////////////////////////////////////////////////////////////////////
// ComScope

ComScope::ComScope()
{
    HRESULT hr = ::CoInitialize(nullptr);
    // S_FALSE: already initialised on this thread; the count went up all the
    // same. RPC_E_CHANGED_MODE: initialised as multi-threaded, still usable,
    // and not ours to uninitialise.
    m_mustUninitialise = SUCCEEDED(hr);
    m_ok = SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
}

ComScope::~ComScope()
{
    if (m_mustUninitialise)
        ::CoUninitialize();
}

/////////////////////////////////////////////////////////////////////////////
// XmlNode

XmlNode::XmlNode(IXMLDOMNode* pNode) : m_pNode(pNode)
{
    if (m_pNode)
        m_pNode->AddRef();
}

XmlNode::XmlNode(const XmlNode& other) : XmlNode(other.m_pNode)
{
}

XmlNode& XmlNode::operator=(const XmlNode& other)
{
    if (other.m_pNode)
        other.m_pNode->AddRef();
    if (m_pNode)
        m_pNode->Release();
    m_pNode = other.m_pNode;
    return *this;
}

XmlNode::~XmlNode()
{
    if (m_pNode)
        m_pNode->Release();
}

std::string XmlNode::Name() const
{
    Bstr name;
    if (m_pNode == nullptr || FAILED(m_pNode->get_nodeName(name.Out())))
        return std::string();
    return name.Utf8();
}

bool XmlNode::IsElement() const
{
    DOMNodeType type = NODE_INVALID;
    return m_pNode != nullptr && SUCCEEDED(m_pNode->get_nodeType(&type)) && type == NODE_ELEMENT;
}

std::string XmlNode::Text() const
{
    Bstr text;
    if (m_pNode == nullptr || FAILED(m_pNode->get_text(text.Out())))
        return std::string();
    return text.Utf8();
}

bool XmlNode::Attribute(const char* name, std::string& value) const
{
    value.clear();
    if (m_pNode == nullptr)
        return false;
    Ref<IXMLDOMElement> element;
    if (FAILED(m_pNode->QueryInterface(IID_IXMLDOMElement, (void**)element.Out())) || !element)
        return false;
    Bstr attributeName(name);
    VARIANT v;
    ::VariantInit(&v);
    HRESULT hr = element->getAttribute(attributeName.Get(), &v);
    bool found = hr == S_OK && v.vt == VT_BSTR;
    if (found)
        value = v.bstrVal ? Narrow(v.bstrVal, (int)::SysStringLen(v.bstrVal)) : std::string();
    ::VariantClear(&v);
    return found;
}

std::vector<XmlNode> XmlNode::Children() const
{
    std::vector<XmlNode> children;
    if (m_pNode == nullptr)
        return children;
    IXMLDOMNode* pChild = nullptr;
    if (FAILED(m_pNode->get_firstChild(&pChild)))
        return children;
    while (pChild != nullptr) {
        children.emplace_back(pChild);   // takes a reference of its own
        IXMLDOMNode* pNext = nullptr;
        if (FAILED(pChild->get_nextSibling(&pNext)))
            pNext = nullptr;
        pChild->Release();
        pChild = pNext;
    }
    return children;
}

/////////////////////////////////////////////////////////////////////////////
// XmlDocument

XmlDocument::XmlDocument()
{
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(L"MSXML2.DOMDocument.6.0", &clsid)))
        return;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                  (void**)&m_pDoc)))
        m_pDoc = nullptr;
}

XmlDocument::~XmlDocument()
{
    if (m_pDoc)
        m_pDoc->Release();
}

bool XmlDocument::Load(const std::string& path)
{
    if (m_pDoc == nullptr)
        return false;
    m_pDoc->put_async(VARIANT_FALSE);
    VARIANT source;
    ::VariantInit(&source);
    std::wstring widePath = Widen(path);
    source.vt = VT_BSTR;
    source.bstrVal = ::SysAllocStringLen(widePath.data(), (UINT)widePath.size());
    VARIANT_BOOL ok = VARIANT_FALSE;
    HRESULT hr = m_pDoc->load(source, &ok);
    ::VariantClear(&source);
    return hr == S_OK && ok == VARIANT_TRUE;
}

std::vector<XmlNode> XmlDocument::SelectNodes(const char* xpath) const
{
    std::vector<XmlNode> nodes;
    if (m_pDoc == nullptr)
        return nodes;
    Bstr query(xpath);
    Ref<IXMLDOMNodeList> list;
    if (FAILED(m_pDoc->selectNodes(query.Get(), list.Out())) || !list)
        return nodes;
    long count = 0;
    if (FAILED(list->get_length(&count)))
        return nodes;
    for (long i = 0; i < count; ++i) {
        IXMLDOMNode* pNode = nullptr;
        if (SUCCEEDED(list->get_item(i, &pNode)) && pNode != nullptr) {
            nodes.emplace_back(pNode);
            pNode->Release();
        }
        else {
            // A node that cannot be fetched keeps its place as a null node.
            nodes.emplace_back();
        }
    }
    return nodes;
}

bool ForEachSelected(const std::string& path, const char* xpath, const std::function<void(const XmlNode&)>& each)
{
    ComScope com;
    XmlDocument document;
    if (!com.Ok() || !document.Load(path))
        return false;
    const std::vector<XmlNode> nodes = document.SelectNodes(xpath);
    for (const XmlNode& node : nodes)
        each(node);
    return !nodes.empty();
}

} // namespace kvxml
