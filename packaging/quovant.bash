# bash completion for quovant: its subcommands and their options.
_quovant()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    if [ "$COMP_CWORD" -eq 1 ]; then
        mapfile -t COMPREPLY < <(compgen -W "next info path play --help" -- "$cur")
        return
    fi
    case ${COMP_WORDS[1]} in
    next)
        if [ "$prev" = --used ]; then
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        else
            mapfile -t COMPREPLY < <(compgen -W "--all --used --json" -- "$cur")
        fi
        ;;
    info | path) mapfile -t COMPREPLY < <(compgen -W "--json" -- "$cur") ;;
    esac
}
complete -F _quovant quovant
