// Calls on automation objects by member name through IDispatch. Every failure
// (no object, no such member, an error raised by the object) gives an empty
// result and has no other effect.
#pragma once

#include <oaidl.h>

#include <optional>
#include <span>
#include <string_view>

#include "win32/com_win32.h"

namespace tavimo::win32 {

// An in-process or local server created from its ProgID; empty on failure.
ComPtr<IDispatch> CreateByProgId(const wchar_t* progId);

// Arguments are given in their natural order.
std::optional<Variant> GetProperty(IDispatch* object, const wchar_t* name,
                                   std::span<const Variant> args = {});
bool PutProperty(IDispatch* object, const wchar_t* name, const Variant& value);
std::optional<Variant> CallMethod(IDispatch* object, const wchar_t* name,
                                  std::span<const Variant> args = {});

// The object a result holds; empty when it holds none.
ComPtr<IDispatch> AsDispatch(const std::optional<Variant>& v);

}  // namespace tavimo::win32
