#include "typelib_reader.h"

#include "com_base.h"
#include "registry.h"

#include <oleauto.h>

namespace {

std::string Utf8(const wchar_t* text) {
    if (text == nullptr || *text == L'\0')
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    if (!bytes.empty())
        bytes.pop_back(); // the terminator
    return bytes;
}

std::string GuidUtf8(REFGUID guid) {
    return Utf8(GuidText(guid).c_str());
}

// One BSTR, freed on every path.
class OwnedBstr {
public:
    OwnedBstr() = default;
    ~OwnedBstr() { SysFreeString(m_text); }
    OwnedBstr(const OwnedBstr&) = delete;
    OwnedBstr& operator=(const OwnedBstr&) = delete;
    BSTR* Receive() {
        SysFreeString(m_text);
        m_text = nullptr;
        return &m_text;
    }
    std::string Utf8Text() const { return Utf8(m_text); }

private:
    BSTR m_text = nullptr;
};

// The type attributes of one type, released with it.
class TypeAttributes {
public:
    explicit TypeAttributes(ITypeInfo* info) : m_info(info) { m_hr = info->GetTypeAttr(&m_attr); }
    ~TypeAttributes() {
        if (m_attr)
            m_info->ReleaseTypeAttr(m_attr);
    }
    TypeAttributes(const TypeAttributes&) = delete;
    TypeAttributes& operator=(const TypeAttributes&) = delete;
    HRESULT Result() const { return m_hr; }
    const TYPEATTR& Get() const { return *m_attr; }
    const TYPEATTR* operator->() const { return m_attr; }

private:
    ITypeInfo* m_info;
    TYPEATTR* m_attr = nullptr;
    HRESULT m_hr;
};

class FunctionDescription {
public:
    FunctionDescription(ITypeInfo* info, UINT index) : m_info(info) {
        m_hr = info->GetFuncDesc(index, &m_desc);
    }
    ~FunctionDescription() {
        if (m_desc)
            m_info->ReleaseFuncDesc(m_desc);
    }
    FunctionDescription(const FunctionDescription&) = delete;
    FunctionDescription& operator=(const FunctionDescription&) = delete;
    HRESULT Result() const { return m_hr; }
    const FUNCDESC* operator->() const { return m_desc; }

private:
    ITypeInfo* m_info;
    FUNCDESC* m_desc = nullptr;
    HRESULT m_hr;
};

std::string TypeName(ITypeInfo* info, MEMBERID member) {
    OwnedBstr name;
    if (FAILED(info->GetDocumentation(member, name.Receive(), nullptr, nullptr, nullptr)))
        return std::string();
    return name.Utf8Text();
}

std::string DescribeType(ITypeInfo* owner, const TYPEDESC& type) {
    switch (type.vt) {
    case VT_PTR:
        return DescribeType(owner, *type.lptdesc) + "*";
    case VT_SAFEARRAY:
        return "SAFEARRAY(" + DescribeType(owner, *type.lptdesc) + ")";
    case VT_USERDEFINED: {
        ComPtr<ITypeInfo> referenced;
        if (SUCCEEDED(owner->GetRefTypeInfo(type.hreftype, referenced.Receive())))
            return TypeName(referenced.Get(), MEMBERID_NIL);
        return "user-defined";
    }
    default:
        break;
    }
    static const struct {
        VARTYPE vt;
        const char* name;
    } names[] = {
        {VT_I2, "short"},        {VT_I4, "long"},
        {VT_R4, "float"},        {VT_R8, "double"},
        {VT_CY, "CURRENCY"},     {VT_DATE, "DATE"},
        {VT_BSTR, "BSTR"},       {VT_DISPATCH, "IDispatch*"},
        {VT_ERROR, "SCODE"},     {VT_BOOL, "VARIANT_BOOL"},
        {VT_VARIANT, "VARIANT"}, {VT_UNKNOWN, "IUnknown*"},
        {VT_I1, "char"},         {VT_UI1, "BYTE"},
        {VT_UI2, "USHORT"},      {VT_UI4, "ULONG"},
        {VT_I8, "LONGLONG"},     {VT_UI8, "ULONGLONG"},
        {VT_INT, "int"},         {VT_UINT, "UINT"},
        {VT_VOID, "void"},       {VT_HRESULT, "HRESULT"},
        {VT_LPSTR, "LPSTR"},     {VT_LPWSTR, "LPWSTR"},
    };
    for (const auto& entry : names) {
        if (entry.vt == type.vt)
            return entry.name;
    }
    return "VT_" + std::to_string(type.vt);
}

// A default value as script would write it.
std::string DefaultText(const VARIANT& value) {
    switch (V_VT(&value)) {
    case VT_BSTR:
        return "\"" + Utf8(V_BSTR(&value)) + "\"";
    case VT_BOOL:
        if (V_BOOL(&value) == VARIANT_TRUE)
            return "true";
        if (V_BOOL(&value) == VARIANT_FALSE)
            return "false";
        return std::to_string(V_BOOL(&value)); // neither: say what it really is
    default:
        break;
    }
    VARIANT text;
    VariantInit(&text);
    std::string result = "?";
    if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR)))
        result = Utf8(V_BSTR(&text));
    VariantClear(&text);
    return result;
}

std::vector<std::string> MemberNames(ITypeInfo* info, MEMBERID member, UINT count) {
    std::vector<BSTR> names(count, nullptr);
    UINT got = 0;
    std::vector<std::string> result;
    if (SUCCEEDED(info->GetNames(member, names.data(), count, &got))) {
        for (UINT i = 0; i < got; ++i)
            result.push_back(Utf8(names[i]));
    }
    for (BSTR name : names)
        SysFreeString(name);
    result.resize(count);
    return result;
}

HRESULT ReadMember(ITypeInfo* info, UINT index, TypeLibMember& member) {
    FunctionDescription function(info, index);
    if (FAILED(function.Result()))
        return function.Result();
    member.dispid = function->memid;
    member.resultType = DescribeType(info, function->elemdescFunc.tdesc);
    if (function->invkind & INVOKE_PROPERTYGET)
        member.kind = "property get";
    else if (function->invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF))
        member.kind = "property put";
    const UINT count = static_cast<UINT>(function->cParams);
    const std::vector<std::string> names = MemberNames(info, function->memid, count + 1);
    member.name = names[0];
    for (UINT i = 0; i < count; ++i) {
        const ELEMDESC& element = function->lprgelemdescParam[i];
        const USHORT flags = element.paramdesc.wParamFlags;
        TypeLibParameter parameter;
        parameter.name = names[i + 1];
        parameter.type = DescribeType(info, element.tdesc);
        parameter.in = (flags & PARAMFLAG_FIN) != 0;
        parameter.out = (flags & PARAMFLAG_FOUT) != 0;
        parameter.retval = (flags & PARAMFLAG_FRETVAL) != 0;
        parameter.optional = (flags & PARAMFLAG_FOPT) != 0;
        if ((flags & PARAMFLAG_FHASDEFAULT) && element.paramdesc.pparamdescex)
            parameter.defaultValue = DefaultText(element.paramdesc.pparamdescex->varDefaultValue);
        member.parameters.push_back(parameter);
    }
    return S_OK;
}

HRESULT ReadInterface(ITypeInfo* info, const TYPEATTR& attributes, TypeLibInterface& result) {
    result.name = TypeName(info, MEMBERID_NIL);
    result.iid = GuidUtf8(attributes.guid);
    result.dual = (attributes.wTypeFlags & TYPEFLAG_FDUAL) != 0;
    // A dual interface's methods as declared (HRESULT and retval) are in its
    // vtable half; its dispatch half lists IUnknown's and IDispatch's too.
    ComPtr<ITypeInfo> declared = ComPtr<ITypeInfo>::Share(info);
    if (result.dual) {
        HREFTYPE vtable = 0;
        HRESULT hr = info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable);
        if (SUCCEEDED(hr))
            hr = info->GetRefTypeInfo(vtable, declared.Receive());
        if (FAILED(hr))
            return hr;
    }
    TypeAttributes own(declared.Get());
    if (FAILED(own.Result()))
        return own.Result();
    for (UINT i = 0; i < own->cFuncs; ++i) {
        TypeLibMember member;
        const HRESULT hr = ReadMember(declared.Get(), i, member);
        if (FAILED(hr))
            return hr;
        result.members.push_back(member);
    }
    return S_OK;
}

HRESULT ReadClass(ITypeInfo* info, const TYPEATTR& attributes, TypeLibClass& result) {
    result.name = TypeName(info, MEMBERID_NIL);
    result.clsid = GuidUtf8(attributes.guid);
    result.control = (attributes.wTypeFlags & TYPEFLAG_FCONTROL) != 0;
    result.creatable = (attributes.wTypeFlags & TYPEFLAG_FCANCREATE) != 0;
    for (UINT i = 0; i < attributes.cImplTypes; ++i) {
        INT flags = 0;
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> implemented;
        HRESULT hr = info->GetImplTypeFlags(i, &flags);
        if (SUCCEEDED(hr))
            hr = info->GetRefTypeOfImplType(i, &reference);
        if (SUCCEEDED(hr))
            hr = info->GetRefTypeInfo(reference, implemented.Receive());
        if (FAILED(hr))
            return hr;
        if (!(flags & IMPLTYPEFLAG_FDEFAULT))
            continue;
        (flags & IMPLTYPEFLAG_FSOURCE ? result.defaultSource : result.defaultInterface) =
            TypeName(implemented.Get(), MEMBERID_NIL);
    }
    return S_OK;
}

} // namespace

HRESULT ReadTypeLibrary(const std::wstring& path, TypeLibrary& library) {
    ComPtr<ITypeLib> loaded;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, loaded.Receive());
    if (FAILED(hr))
        return hr;
    TLIBATTR* attributes = nullptr;
    hr = loaded->GetLibAttr(&attributes);
    if (FAILED(hr))
        return hr;
    library.libid = GuidUtf8(attributes->guid);
    library.version =
        std::to_string(attributes->wMajorVerNum) + "." + std::to_string(attributes->wMinorVerNum);
    loaded->ReleaseTLibAttr(attributes);
    OwnedBstr name;
    hr = loaded->GetDocumentation(-1, name.Receive(), nullptr, nullptr, nullptr);
    if (FAILED(hr))
        return hr;
    library.name = name.Utf8Text();

    const UINT count = loaded->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        ComPtr<ITypeInfo> info;
        hr = loaded->GetTypeInfo(i, info.Receive());
        if (FAILED(hr))
            return hr;
        TypeAttributes type(info.Get());
        if (FAILED(type.Result()))
            return type.Result();
        if (type->typekind == TKIND_COCLASS) {
            TypeLibClass control;
            hr = ReadClass(info.Get(), type.Get(), control);
            library.classes.push_back(control);
        } else if (type->typekind == TKIND_DISPATCH) {
            TypeLibInterface scriptable;
            hr = ReadInterface(info.Get(), type.Get(), scriptable);
            library.interfaces.push_back(scriptable);
        }
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}
