// SPDX-License-Identifier: GPL-3.0-or-later
// The STEP writer module: the spring's wire swept along its centre line with OpenCASCADE.

#include "model/occt/spring_solid.h"
#include "model/step_module.h"

#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Static.hxx>
#include <STEPControl_Writer.hxx>
#include <StepBasic_Product.hxx>
#include <StepData_StepModel.hxx>
#include <TCollection_HAsciiString.hxx>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

// A STEP file's text is ISO 8859-1 with the other characters written as \X2\hhhh\X0\ (UTF-16
// code units in hexadecimal): the part name may be Japanese.
std::string stepText(const std::string& utf8) {
    std::string out;
    std::string wide;
    const auto flush = [&] {
        if (!wide.empty())
            out += "\\X2\\" + wide + "\\X0\\";
        wide.clear();
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            flush();
            out += byte == '\\'   ? std::string("\\\\")
                   : byte == '\'' ? std::string("''")
                                  : std::string(1, static_cast<char>(byte));
            ++i;
            continue;
        }
        const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        unsigned code = length == 1 ? 0xFFFD : byte & (0x7F >> length);
        for (int k = 1; k < length && i + k < utf8.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += static_cast<std::size_t>(length);
        const auto unit = [&wide](unsigned value) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "%04X", value & 0xFFFF);
            wide += hex;
        };
        if (code >= 0x10000) {
            unit(0xD800 + ((code - 0x10000) >> 10));
            unit(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            unit(code);
        }
    }
    flush();
    return out;
}

constexpr char kPlaceholder[] = "HSPRING-PRODUCT-NAME";

bool nameProduct(const char* path, const std::string& productName) {
    std::string text;
    {
        std::ifstream in(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
        if (!in && !in.eof())
            return false;
    }
    const std::string quoted = std::string("'") + kPlaceholder + "'";
    const std::string named = "'" + stepText(productName) + "'";
    for (std::size_t at = text.find(quoted); at != std::string::npos;
         at = text.find(quoted, at + named.size()))
        text.replace(at, quoted.size(), named);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

} // namespace

extern "C" __attribute__((visibility("default"))) bool
hspring_write_step(const hspring::SpringCentreLine& line, const char* path, const char* productName,
                   hspring::ModelWriteFailure& problem) {
    try {
        const TopoDS_Shape solid = hspring::springSolid(line);
        if (const auto failure = hspring::solidProblem(solid, line)) {
            problem = {*failure, {}};
            return false;
        }
        hspring::quietOpenCascade();
        // AP214 (IS), millimetres, the product named as the design; the parameters exist once
        // the writer has set up its controller.
        STEPControl_Writer writer;
        Interface_Static::SetCVal("write.step.schema", "AP214IS");
        Interface_Static::SetCVal("write.step.unit", "MM");
        // OpenCASCADE would double the backslashes of the encoded name: the product is named by a
        // placeholder, which the file's text then has replaced.
        const Handle(TCollection_HAsciiString) name = new TCollection_HAsciiString(kPlaceholder);
        if (writer.Transfer(solid, STEPControl_AsIs) != IFSelect_RetDone) {
            problem = {hspring::ModelFailure::NotTransferred, {}};
            return false;
        }
        // The writer numbers the product's name; the product is named as given instead.
        const Handle(StepData_StepModel)& model = writer.Model();
        for (Standard_Integer i = 1; i <= model->NbEntities(); ++i)
            if (const Handle(StepBasic_Product) product =
                    Handle(StepBasic_Product)::DownCast(model->Value(i));
                !product.IsNull()) {
                product->SetId(name);
                product->SetName(name);
            }
        if (writer.Write(path) != IFSelect_RetDone || !nameProduct(path, productName)) {
            problem = {hspring::ModelFailure::NotWritten, {}};
            return false;
        }
        return true;
    } catch (const hspring::ModelFailed& failed) {
        problem = {failed.failure(), {}};
    } catch (const Standard_Failure& error) {
        problem = {hspring::ModelFailure::ModellerFailed, error.GetMessageString()};
    } catch (const std::exception& error) {
        problem = {hspring::ModelFailure::Unexpected, error.what()};
    }
    return false;
}
