// kalvora-cli check FILE: validates an XML file of the program with the reader the program
// uses for it, chosen by the file's top element (file_checkers.h).
#include <string>
#include <string_view>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/file_checkers.h"
#include "xml/xml_token.h"

namespace kalvora::cli {
namespace {

constexpr std::string_view kUsage = "check FILE";

// The name of the file's top element; false with the reason when the file cannot be read or
// holds no element.
bool TopElementOf(const std::filesystem::path& file, std::string& name, std::string& message) {
    std::string version;
    const TXMLTokenList tokens = ReadTokens(file, version);
    switch (tokens.GetKind()) {
        case xmlTokenEndOfFile:
            message = "The file cannot be opened.";
            return false;
        case xmlTokenError:
            message = tokens.GetError();
            return false;
        default:
            break;
    }
    for (const TXMLToken* token = tokens.Head().GetNext(); token != nullptr;
         token = token->GetNext()) {
        if (token->GetKind() == xmlTokenBegin || token->GetKind() == xmlTokenEmpty) {
            name = token->GetElement();
            return true;
        }
    }
    message = "The file holds no element.";
    return false;
}

std::string KnownElementsText() {
    std::string text;
    for (std::string_view name : CheckedTopElements()) {
        if (!text.empty()) text += ", ";
        text += name;
    }
    return text;
}

int RunCheck(VerbContext& context) {
    std::string problem;
    const auto arguments = CliArguments::Parse(context.args, {}, problem);
    if (arguments && (arguments->Positional().size() != 1 || !arguments->Fields().empty() ||
                      !arguments->UnknownOptions({}).empty())) {
        problem = "usage: kalvora-cli " + std::string(kUsage);
    }
    if (!problem.empty()) {
        context.err << problem << '\n';
        return exitUsageError;
    }
    const std::string& file = arguments->Positional()[0];
    std::string top;
    std::string message;
    if (!TopElementOf(file, top, message)) {
        context.err << file << ": " << message << '\n';
        return exitFileError;
    }
    const FileChecker* checker = FindFileChecker(top);
    if (checker == nullptr) {
        context.err << file << ": No file of this program has the top element \"" << top
                    << "\" (known: " << KnownElementsText() << ").\n";
        return exitFileError;
    }
    if (!checker->check(file, message)) {
        context.err << file << ": " << message << '\n';
        return exitFileError;
    }
    context.out << file << ": a valid " << checker->kind << ".\n";
    return exitSuccess;
}

const VerbRegistration registration(
    {"check", kUsage,
     "validates a file the program writes (wave shadow file "
     ".kvw, music file .kvm, project .kvp), chosen by its top element",
     RunCheck});

}  // namespace
}  // namespace kalvora::cli
