# bash completion for kvledit: its options, and a file after --profile.
_kvledit() {
    local cur prev words cword
    _init_completion || return
    if [[ $prev == --profile ]]; then
        _filedir
        return
    fi
    mapfile -t COMPREPLY < <(compgen -W "-h --help --version --profile" -- "$cur")
}
complete -F _kvledit kvledit
