#!/usr/bin/env bash
# Writes the game's text files (button texts, clock speed, level descriptions) in Spanish and English,
# and for the French, Portuguese, Italian, German and Catalan sets their language code and
# interface texts too.
# Usage: tools/make_texts.sh [ASSETS_DIR]   (default: the assets folder beside this script's folder)
# The files are UTF-8 with LF line ends. idioma.txt holds five quoted items, one a line:
# score's connecting word, play, exit, word-list button, hint caption. velocidad.txt holds the
# clock interval in milliseconds. nivel.txt holds one line per level, read as whole lines.
# lengua.txt holds the set's language code. textos.txt holds the interface texts, one a line in the
# order of config/texts_file.h's table (line n is its row n: never reorder them); Spanish and
# English have them compiled in, so only the other sets get the file.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
assets=${1:-$here/../assets}
es=$assets/idiomas/es/configuracion
en=$assets/idiomas/en/configuracion
mkdir -p "$es" "$en"

cat > "$es/idioma.txt" <<'TEXT'
"de"
"Jugar"
"Salir"
"Mis palabras"
"Pistas"
TEXT

cat > "$es/nivel.txt" <<'TEXT'
Nivel 1: las palabras se leen de izquierda a derecha, como en un libro.
Nivel 2: las palabras van hacia la derecha o hacia abajo.
Nivel 3: ahora también van hacia la izquierda y hacia arriba.
Nivel 4: ¡llegan las diagonales! Las palabras también van en diagonal hacia la derecha.
Nivel 5: las palabras van en todas las direcciones. ¡Busca bien!
Nivel 6: las palabras van hacia atrás, hacia arriba y en diagonal. ¡Para expertos!
TEXT

cat > "$en/idioma.txt" <<'TEXT'
"of"
"Play"
"Exit"
"Found words"
"Hints"
TEXT

cat > "$en/nivel.txt" <<'TEXT'
Level 1: the words read from left to right, like in a book.
Level 2: the words go to the right or down.
Level 3: now they also go to the left and up.
Level 4: here come the diagonals! Words also go diagonally to the right.
Level 5: the words go in every direction. Look carefully!
Level 6: the words go backwards, upwards and diagonally. For experts!
TEXT

for dir in "$es" "$en"; do
    echo 300 > "$dir/velocidad.txt"
done

# Each of the other sets from one here-document: idioma.txt's five items, nivel.txt's six lines and
# textos.txt's rows, each block ended by a line "--". The French texts keep a no-break space before
# ":", "!" and "?", so that a wrapped line never starts with one.
read_block() {
    local line
    while IFS= read -r line && [[ $line != -- ]]; do printf '%s\n' "$line"; done
}
write_set() { # CODE, the texts on stdin
    local dir=$assets/idiomas/$1/configuracion
    mkdir -p "$dir"
    echo "$1" > "$dir/lengua.txt"
    read_block > "$dir/idioma.txt"
    read_block > "$dir/nivel.txt"
    read_block > "$dir/textos.txt"
    echo 300 > "$dir/velocidad.txt"
}

write_set fr <<'TEXT'
"sur"
"Jouer"
"Quitter"
"Mes mots"
"Indices"
--
Niveau 1 : les mots se lisent de gauche à droite, comme dans un livre.
Niveau 2 : les mots vont vers la droite ou vers le bas.
Niveau 3 : maintenant, ils vont aussi vers la gauche et vers le haut.
Niveau 4 : voici les diagonales ! Les mots vont aussi en diagonale vers la droite.
Niveau 5 : les mots vont dans toutes les directions. Cherche bien !
Niveau 6 : les mots vont à l'envers, vers le haut et en diagonale. Pour les experts !
--
erreur
trouvée
indice
pas trouvée
image %1
trouvé : %1
Manche gagnée !
Le temps est écoulé
Plus d'essais
Points : %1
Nom :
Date :
Feuille %1
Solutions de la feuille %1
appuie longtemps
Réglages
Langue
Voix
Oui
Enregistrements seulement
Non
Lettres minuscules
Temps pour chaque mot
Lent (2 minutes)
Normal (80 secondes)
Rapide (40 secondes)
Sans chrono
Images
Toutes
Seulement les miennes
Ouvrir mon dossier d'images
Mes images utilisables : %1
Vérifier les images
Tout afficher
Vérification…
Imprimer des fiches…
Niveau
Feuilles
Papier
Mots sous les images
Enregistrer en PDF…
Imprimer…
Enregistré : %1
Retour au jeu
Les réglages ne peuvent pas être enregistrés dans %1 : %2
toutes
Thème
Montrer les thèmes aux enfants
Niveau %1
il reste %1 essais
Grille sans accents, comme dans les mots mêlés imprimés
--
TEXT

write_set pt <<'TEXT'
"de"
"Jogar"
"Sair"
"Palavras"
"Pistas"
--
Nível 1: as palavras leem-se da esquerda para a direita, como num livro.
Nível 2: as palavras vão para a direita ou para baixo.
Nível 3: agora também vão para a esquerda e para cima.
Nível 4: chegam as diagonais! As palavras também vão na diagonal para a direita.
Nível 5: as palavras vão em todas as direções. Procura bem!
Nível 6: as palavras vão para trás, para cima e na diagonal. Para peritos!
--
falha
encontrada
pista
não encontrada
imagem %1
encontrada: %1
Ronda ganha!
Acabou o tempo
Já não há tentativas
Pontos: %1
Nome:
Data:
Folha %1
Soluções da folha %1
mantém premido
Definições
Idioma
Voz
Sim
Só gravações
Não
Letras minúsculas
Tempo para cada palavra
Lento (2 minutos)
Normal (80 segundos)
Rápido (40 segundos)
Sem relógio
Imagens
Todas
Só as minhas
Abrir a minha pasta de imagens
Imagens minhas que se podem usar: %1
Verificar as imagens
Mostrar tudo
A verificar…
Imprimir fichas…
Nível
Folhas
Papel
Palavras debaixo das imagens
Guardar PDF…
Imprimir…
Guardado: %1
Voltar ao jogo
As definições não se podem guardar em %1: %2
todas
Tema
Mostrar os temas às crianças
Nível %1
restam %1 tentativas
Tabuleiro sem acentos, como nas sopas de letras impressas
--
TEXT

write_set it <<'TEXT'
"su"
"Gioca"
"Esci"
"Le parole"
"Aiuti"
--
Livello 1: le parole si leggono da sinistra a destra, come in un libro.
Livello 2: le parole vanno verso destra o verso il basso.
Livello 3: ora vanno anche verso sinistra e verso l'alto.
Livello 4: arrivano le diagonali! Le parole vanno anche in diagonale verso destra.
Livello 5: le parole vanno in tutte le direzioni. Cerca bene!
Livello 6: le parole vanno all'indietro, verso l'alto e in diagonale. Per esperti!
--
errore
trovata
aiuto
non trovata
immagine %1
trovata: %1
Turno vinto!
Tempo scaduto
Tentativi finiti
Punti: %1
Nome:
Data:
Foglio %1
Soluzioni del foglio %1
tieni premuto
Impostazioni
Lingua
Voce
Sì
Solo registrazioni
No
Lettere minuscole
Tempo per ogni parola
Lento (2 minuti)
Normale (80 secondi)
Veloce (40 secondi)
Senza orologio
Immagini
Tutte
Solo le mie
Apri la mia cartella di immagini
Immagini mie che si possono usare: %1
Controlla le immagini
Mostra tutto
Controllo in corso…
Stampa schede…
Livello
Fogli
Carta
Parole sotto le immagini
Salva PDF…
Stampa…
Salvato: %1
Torna al gioco
Le impostazioni non si possono salvare in %1: %2
tutte
Tema
Mostra i temi ai bambini
Livello %1
restano %1 tentativi
Griglia senza accenti, come nei crucipuzzle stampati
--
TEXT

write_set de <<'TEXT'
"von"
"Spielen"
"Beenden"
"Meine Wörter"
"Tipps"
--
Stufe 1: Die Wörter liest man von links nach rechts, wie in einem Buch.
Stufe 2: Die Wörter gehen nach rechts oder nach unten.
Stufe 3: Jetzt gehen sie auch nach links und nach oben.
Stufe 4: Die Diagonalen kommen! Die Wörter gehen auch schräg nach rechts.
Stufe 5: Die Wörter gehen in alle Richtungen. Such gut!
Stufe 6: Die Wörter gehen rückwärts, nach oben und schräg. Für Profis!
--
Fehler
gefunden
Tipp
nicht gefunden
Bild %1
gefunden: %1
Runde gewonnen!
Die Zeit ist um
Keine Versuche mehr
Punkte: %1
Name:
Datum:
Blatt %1
Lösungen zu Blatt %1
gedrückt halten
Einstellungen
Sprache
Stimme
An
Nur Aufnahmen
Aus
Kleinbuchstaben
Zeit für jedes Wort
Langsam (2 Minuten)
Normal (80 Sekunden)
Schnell (40 Sekunden)
Ohne Uhr
Bilder
Alle
Nur meine
Meinen Bilderordner öffnen
Meine Bilder, die sich verwenden lassen: %1
Die Bilder prüfen
Alles zeigen
Wird geprüft…
Arbeitsblätter drucken…
Stufe
Blätter
Papier
Wörter unter den Bildern
Als PDF speichern…
Drucken…
Gespeichert: %1
Zurück zum Spiel
Die Einstellungen lassen sich nicht in %1 speichern: %2
alle
Thema
Den Kindern die Themen zeigen
Stufe %1
noch %1 Versuche
Buchstaben ohne Akzente, wie in gedruckten Suchrätseln
--
TEXT

write_set ca <<'TEXT'
"de"
"Jugar"
"Sortir"
"Paraules"
"Pistes"
--
Nivell 1: les paraules es llegeixen d'esquerra a dreta, com en un llibre.
Nivell 2: les paraules van cap a la dreta o cap avall.
Nivell 3: ara també van cap a l'esquerra i cap amunt.
Nivell 4: arriben les diagonals! Les paraules també van en diagonal cap a la dreta.
Nivell 5: les paraules van en totes les direccions. Busca bé!
Nivell 6: les paraules van cap enrere, cap amunt i en diagonal. Per a experts!
--
errada
trobada
pista
no trobada
imatge %1
trobada: %1
Ronda guanyada!
S'ha acabat el temps
No queden intents
Punts: %1
Nom:
Data:
Full %1
Solucions del full %1
mantén premut
Configuració
Idioma
Veu
Sí
Només gravacions
No
Lletres minúscules
Temps per a cada paraula
Lent (2 minuts)
Normal (80 segons)
Ràpid (40 segons)
Sense rellotge
Imatges
Totes
Només les meves
Obre la meva carpeta d'imatges
Imatges meves que es poden fer servir: %1
Revisa les imatges
Mostra-ho tot
Revisant…
Imprimeix fitxes…
Nivell
Fulls
Paper
Paraules sota les imatges
Desa en PDF…
Imprimeix…
Desat: %1
Torna al joc
La configuració no es pot desar a %1: %2
totes
Tema
Mostra els temes als infants
Nivell %1
queden %1 intents
Tauler sense accents, com a les sopes de lletres impreses
--
TEXT

echo "make_texts: texts in $es, $en and the fr, pt, it, de and ca sets"
