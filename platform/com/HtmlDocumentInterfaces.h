// The HTML document interfaces, declared in their standard member order up to the last member
// this program calls.
#pragma once

#include "platform/com/Bstr.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"

inline constexpr IID IID_IHTMLDocument = {
    0x626FC520, 0xA41E, 0x11CF, {0xA7, 0x31, 0x00, 0xA0, 0xC9, 0x08, 0x26, 0x37}};
inline constexpr IID IID_IHTMLDocument2 = {
    0x332C4425, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};
inline constexpr IID IID_IHTMLElement = {
    0x3050F1FF, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

struct IHTMLElementCollection;
struct IHTMLElement;

struct IHTMLDocument : IDispatch {
    virtual HRESULT get_Script(IDispatch** p) = 0;

protected:
    ~IHTMLDocument() = default;
};

struct IHTMLDocument2 : IHTMLDocument {
    virtual HRESULT get_all(IHTMLElementCollection** p) = 0;
    virtual HRESULT get_body(IHTMLElement** p) = 0;
    virtual HRESULT get_activeElement(IHTMLElement** p) = 0;
    virtual HRESULT get_images(IHTMLElementCollection** p) = 0;
    virtual HRESULT get_applets(IHTMLElementCollection** p) = 0;
    virtual HRESULT get_links(IHTMLElementCollection** p) = 0;
    virtual HRESULT get_forms(IHTMLElementCollection** p) = 0;
    virtual HRESULT get_anchors(IHTMLElementCollection** p) = 0;
    virtual HRESULT put_title(BSTR v) = 0;
    virtual HRESULT get_title(BSTR* p) = 0;

protected:
    ~IHTMLDocument2() = default;
};

struct IHTMLElement : IDispatch {
    virtual HRESULT setAttribute(BSTR strAttributeName, VARIANT AttributeValue, LONG lFlags) = 0;
    virtual HRESULT getAttribute(BSTR strAttributeName, LONG lFlags, VARIANT* AttributeValue) = 0;

protected:
    ~IHTMLElement() = default;
};
