// The French vocabulary of the spell finder: 137 magic effects with the
// words their spells are named from, vendor names and vendors' positions.
// All invented for Sarvenhal; every character within Windows-1252.
#include "Spells.h"

namespace wg2 {

const std::vector<SpellHead>& SpellHeads(SpellSchool school) {
    using S = SpellSchool;
    static const std::vector<SpellHead> protect = {
        {"Bouclier", 'm'}, {"Voile", 'm'}, {"Manteau", 'm'}, {"Égide", 'f'}, {"Rempart", 'm'},
        {"Cuirasse", 'f'}, {"Cercle", 'm'}, {"Peau", 'f'}, {"Garde", 'f'}, {"Sceau", 'm'}};
    static const std::vector<SpellHead> damage = {
        {"Trait", 'm'}, {"Lance", 'f'}, {"Souffle", 'm'}, {"Éclat", 'm'}, {"Morsure", 'f'}, {"Fureur", 'f'},
        {"Pluie", 'f'}, {"Orbe", 'm'}, {"Flèche", 'f'}, {"Vague", 'f'}, {"Colère", 'f'}, {"Poing", 'm'},
        {"Cri", 'm'}, {"Griffe", 'f'}};
    static const std::vector<SpellHead> heal = {
        {"Baume", 'm'}, {"Caresse", 'f'}, {"Souffle", 'm'}, {"Don", 'm'}, {"Larmes", 'F'}, {"Grâce", 'f'},
        {"Onguent", 'm'}, {"Source", 'f'}, {"Main", 'f'}, {"Prière", 'f'}, {"Chant", 'm'}};
    static const std::vector<SpellHead> buff = {
        {"Don", 'm'}, {"Force", 'f'}, {"Vigueur", 'f'}, {"Bénédiction", 'f'}, {"Chant", 'm'}, {"Élan", 'm'},
        {"Ferveur", 'f'}, {"Présence", 'f'}, {"Faveur", 'f'}, {"Esprit", 'm'}};
    static const std::vector<SpellHead> control = {
        {"Chaînes", 'F'}, {"Étreinte", 'f'}, {"Regard", 'm'}, {"Chant", 'm'}, {"Murmure", 'm'}, {"Lien", 'm'},
        {"Entrave", 'f'}, {"Toile", 'f'}, {"Voix", 'f'}, {"Sortilège", 'm'}};
    static const std::vector<SpellHead> curse = {
        {"Malédiction", 'f'}, {"Marque", 'f'}, {"Fléau", 'm'}, {"Maléfice", 'm'}, {"Souillure", 'f'},
        {"Baiser", 'm'}, {"Ombre", 'f'}, {"Sort", 'm'}};
    static const std::vector<SpellHead> sight = {
        {"Œil", 'm'}, {"Regard", 'm'}, {"Vision", 'f'}, {"Sens", 'm'}, {"Lumière", 'f'}, {"Miroir", 'm'},
        {"Clarté", 'f'}, {"Oracle", 'm'}};
    static const std::vector<SpellHead> craft = {
        {"Rune", 'f'}, {"Sceau", 'm'}, {"Mot", 'm'}, {"Glyphe", 'm'}, {"Signe", 'm'}, {"Clé", 'f'},
        {"Secret", 'm'}, {"Tour", 'm'}};
    static const std::vector<SpellHead> move = {
        {"Pas", 'M'}, {"Ailes", 'F'}, {"Plume", 'f'}, {"Voie", 'f'}, {"Porte", 'f'}, {"Bond", 'm'},
        {"Sentier", 'm'}, {"Manteau", 'm'}, {"Danse", 'f'}};
    static const std::vector<SpellHead> summon = {
        {"Appel", 'm'}, {"Pacte", 'm'}, {"Invocation", 'f'}, {"Serment", 'm'}, {"Cor", 'm'},
        {"Convocation", 'f'}, {"Rituel", 'm'}};
    static const std::vector<SpellHead> nature = {
        {"Colère", 'f'}, {"Souffle", 'm'}, {"Mur", 'm'}, {"Voile", 'm'}, {"Appel", 'm'}, {"Cœur", 'm'},
        {"Main", 'f'}, {"Chant", 'm'}};
    switch (school) {
    case S::Protect: return protect;
    case S::Damage: return damage;
    case S::Heal: return heal;
    case S::Buff: return buff;
    case S::Control: return control;
    case S::Curse: return curse;
    case S::Sight: return sight;
    case S::Craft: return craft;
    case S::Move: return move;
    case S::Summon: return summon;
    case S::Nature: return nature;
    }
    return protect;
}

const std::vector<EffectDef>& EffectDefs() {
    using S = SpellSchool;
    // name, school, weight (how many spells the effect tends to have), complements
    static const std::vector<EffectDef> defs = {
        // ---- protection
        {"Résistance au froid", S::Protect, 8, {"de givre", "de l'hiver", "des frimas", "de la banquise", "du grand nord", "de fourrure"}},
        {"Résistance au feu", S::Protect, 8, {"de cendres", "de la salamandre", "des braises", "de l'âtre", "d'amiante", "du forgeron"}},
        {"Résistance à la foudre", S::Protect, 6, {"de l'orage", "de cuivre", "du tonnerre", "de la tempête", "du paratonnerre"}},
        {"Résistance au poison", S::Protect, 6, {"de la vipère", "de sauge", "du goûteur", "de thériaque"}},
        {"Résistance à l'acide", S::Protect, 4, {"de verre", "d'ambre", "de l'alchimiste", "de cire"}},
        {"Résistance à la magie", S::Protect, 7, {"de l'abjurateur", "du silence", "du vide", "de plomb", "de l'inquisiteur"}},
        {"Résistance à la peur", S::Protect, 5, {"du lion", "du héros", "de l'étendard", "de la sentinelle"}},
        {"Protection contre les morts-vivants", S::Protect, 5, {"de l'aube", "de sel", "du cimetière", "des vivants", "du fossoyeur"}},
        {"Protection contre les projectiles", S::Protect, 5, {"du vent", "des flèches", "de la brise", "du tourbillon"}},
        {"Armure magique", S::Protect, 9, {"du mage", "de l'arcane", "de cristal", "de l'étoile", "d'argent", "du sceptre"}},
        {"Peau de pierre", S::Protect, 6, {"de granit", "de basalte", "de la montagne", "du roc", "de l'ardoise"}},
        {"Peau d'écorce", S::Protect, 5, {"du chêne", "d'écorce", "de l'if", "de sève", "du vieux saule"}},
        {"Réduction des dégâts", S::Protect, 6, {"d'acier", "de fer", "de l'enclume", "du bastion"}},
        {"Renvoi des sorts", S::Protect, 4, {"du miroir", "de l'écho", "des reflets", "d'argent poli"}},
        {"Sanctuaire", S::Protect, 4, {"du temple", "de paix", "de l'autel", "du cloître"}},
        {"Protection contre le mal", S::Protect, 5, {"de lumière", "du juste", "de l'aube", "des saints"}},
        // ---- damage
        {"Dégâts de feu", S::Damage, 12, {"de feu", "de flammes", "de braise", "de l'incendie", "du volcan", "de soufre", "du phénix", "de cendre"}},
        {"Dégâts de froid", S::Damage, 11, {"de glace", "de givre", "de l'hiver", "du blizzard", "de grêle", "des neiges"}},
        {"Dégâts de foudre", S::Damage, 10, {"de foudre", "de l'éclair", "du tonnerre", "de l'orage", "des nuées"}},
        {"Dégâts d'acide", S::Damage, 6, {"d'acide", "du crapaud", "de vitriol", "de la limace", "de bile"}},
        {"Dégâts sacrés", S::Damage, 8, {"de lumière", "du soleil", "de l'aube", "du jugement", "des saints"}},
        {"Dégâts d'ombre", S::Damage, 8, {"d'ombre", "des ténèbres", "de la nuit", "de minuit", "du néant"}},
        {"Dégâts arcaniques", S::Damage, 9, {"de l'arcane", "du mage", "de l'éther", "des astres", "d'étoiles"}},
        {"Dégâts de pierre", S::Damage, 6, {"de pierre", "de roche", "de la terre", "des éboulis", "de gravier"}},
        {"Drain de vie", S::Damage, 7, {"de sang", "de la sangsue", "du vampire", "de vie", "des veines"}},
        {"Drain de mana", S::Damage, 5, {"de mana", "de l'esprit", "du vide", "de la soif"}},
        {"Poison", S::Damage, 7, {"de la vipère", "de ciguë", "du scorpion", "de venin", "de belladone"}},
        {"Saignement", S::Damage, 5, {"des lames", "d'épines", "du rasoir", "de la ronce"}},
        // ---- healing
        {"Soins légers", S::Heal, 11, {"de rosée", "de la source", "de l'aube", "de mousse", "du matin", "de camomille"}},
        {"Soins majeurs", S::Heal, 10, {"du guérisseur", "de vie", "du soleil", "de l'abbesse", "des anciens"}},
        {"Régénération", S::Heal, 7, {"du printemps", "de sève", "de l'hydre", "du renouveau", "de la lune"}},
        {"Guérison des maladies", S::Heal, 5, {"de pureté", "de l'herboriste", "de thym", "de la fièvre vaincue"}},
        {"Neutralisation du poison", S::Heal, 5, {"du serpent", "d'antidote", "de lait", "de charbon"}},
        {"Résurrection", S::Heal, 4, {"du phénix", "de renaissance", "de l'au-delà", "du retour"}},
        {"Régénération du mana", S::Heal, 6, {"de mana", "de l'étoile", "de la lune", "de la source"}},
        {"Soins de groupe", S::Heal, 6, {"de la chorale", "du cercle", "de la tribu", "des compagnons"}},
        // ---- buffs
        {"Force accrue", S::Buff, 8, {"de l'ours", "du géant", "du taureau", "du bûcheron", "du forgeron"}},
        {"Agilité accrue", S::Buff, 7, {"du chat", "du renard", "de l'anguille", "de l'acrobate"}},
        {"Endurance accrue", S::Buff, 6, {"du bœuf", "du marcheur", "du roc", "de la mule"}},
        {"Intelligence accrue", S::Buff, 6, {"du hibou", "du sage", "de l'érudit", "du scribe"}, {{"Esprit", 'm'}, {"Don", 'm'}, {"Clarté", 'f'}, {"Regard", 'm'}, {"Lumière", 'f'}, {"Présence", 'f'}}},
        {"Sagesse accrue", S::Buff, 5, {"de l'ermite", "de l'ancien", "de la chouette", "du moine"}, {{"Esprit", 'm'}, {"Don", 'm'}, {"Parole", 'f'}, {"Silence", 'm'}, {"Conseil", 'm'}, {"Patience", 'f'}}},
        {"Charisme accru", S::Buff, 4, {"du paon", "de l'orateur", "du roi", "du barde"}, {{"Présence", 'f'}, {"Voix", 'f'}, {"Sourire", 'm'}, {"Faveur", 'f'}, {"Grâce", 'f'}, {"Éloquence", 'f'}}},
        {"Rapidité", S::Buff, 7, {"du vent", "du lièvre", "de l'éclair", "du messager", "de l'hirondelle"}},
        {"Précision accrue", S::Buff, 6, {"du faucon", "de l'archer", "de l'œil juste", "du tireur"}},
        {"Chance accrue", S::Buff, 4, {"du trèfle", "du joueur", "de l'étoile filante", "du fer à cheval"}, {{"Faveur", 'f'}, {"Don", 'm'}, {"Sourire", 'm'}, {"Pari", 'm'}, {"Bénédiction", 'f'}}},
        {"Bénédiction", S::Buff, 8, {"du saint", "du temple", "de l'aube", "des anciens", "du pèlerin"}},
        {"Aura de courage", S::Buff, 5, {"du lion", "de l'étendard", "du héros", "du capitaine"}},
        {"Frénésie", S::Buff, 4, {"du loup enragé", "du sang", "de rage", "du berserk"}},
        {"Concentration", S::Buff, 4, {"du moine", "du silence", "de l'archer", "de la bougie"}},
        {"Vision lointaine", S::Sight, 4, {"de l'aigle", "du guetteur", "de la vigie", "des cimes"}, {{"Œil", 'm'}, {"Regard", 'm'}, {"Vision", 'f'}, {"Yeux", 'M'}}},
        // ---- control
        {"Paralysie", S::Control, 7, {"du serpent", "de gel", "de pierre", "de l'araignée", "du marais"}},
        {"Sommeil", S::Control, 6, {"du pavot", "de la berceuse", "de minuit", "du hibou", "de lavande"}, {{"Chant", 'm'}, {"Murmure", 'm'}, {"Voile", 'm'}, {"Baiser", 'm'}, {"Poudre", 'f'}, {"Berceuse", 'f'}}},
        {"Charme", S::Control, 5, {"de velours", "de miel", "du cœur", "de la sirène"}},
        {"Peur", S::Control, 6, {"du cauchemar", "de terreur", "du corbeau", "de la nuit"}},
        {"Confusion", S::Control, 5, {"de brume", "du labyrinthe", "du fou", "des songes"}},
        {"Silence", S::Control, 5, {"du cloître", "de la nuit", "des morts", "de plume"}},
        {"Cécité", S::Control, 5, {"de l'ombre", "de cendre", "de la nuit", "du brouillard"}},
        {"Ralentissement", S::Control, 6, {"de la limace", "de boue", "de glace", "du marais"}},
        {"Enchevêtrement", S::Control, 5, {"des ronces", "de lierre", "des racines", "de la vigne"}},
        {"Pétrification", S::Control, 3, {"de granit", "de sel", "de la statue", "du marbre"}},
        {"Bannissement", S::Control, 4, {"de l'exil", "de l'autre monde", "du portail", "du seuil"}},
        {"Renvoi des morts-vivants", S::Control, 5, {"de l'aube", "du prêtre", "de sel", "des cloches"}},
        {"Domination", S::Control, 4, {"du tyran", "du maître", "de fer", "de la couronne"}},
        {"Provocation", S::Control, 3, {"du défi", "de l'arène", "du bravache", "du tambour"}},
        {"Apaisement des animaux", S::Control, 3, {"du berger", "de la flûte", "de miel", "des champs"}},
        {"Oubli", S::Control, 3, {"de brume", "de l'eau noire", "du vieil âge", "des feuilles mortes"}},
        // ---- curses
        {"Affaiblissement", S::Curse, 6, {"de rouille", "de la fièvre", "du malade", "de l'hiver"}},
        {"Malédiction", S::Curse, 6, {"de la sorcière", "du corbeau", "de la lune noire", "du gibet"}},
        {"Maladie", S::Curse, 4, {"de la peste", "de fièvre", "du rat", "des marais"}},
        {"Vulnérabilité au feu", S::Curse, 3, {"de l'amadou", "de la paille", "de l'étincelle"}},
        {"Malchance", S::Curse, 3, {"du chat noir", "du miroir brisé", "du treize", "du mauvais sort"}},
        // ---- sight and knowledge
        {"Lumière", S::Sight, 7, {"de la chandelle", "de la lanterne", "de la luciole", "de l'étoile", "du phare"}, {{"Lueur", 'f'}, {"Flamme", 'f'}, {"Halo", 'm'}, {"Clarté", 'f'}, {"Éclat", 'm'}, {"Feu", 'm'}}},
        {"Ténèbres", S::Sight, 5, {"de la nuit", "d'encre", "de l'ombre", "du puits"}, {{"Voile", 'm'}, {"Manteau", 'm'}, {"Nuée", 'f'}, {"Souffle", 'm'}, {"Linceul", 'm'}}},
        {"Vision nocturne", S::Sight, 6, {"du chat", "du hibou", "de la lune", "du veilleur"}, {{"Œil", 'm'}, {"Regard", 'm'}, {"Vision", 'f'}, {"Yeux", 'M'}}},
        {"Détection de la magie", S::Sight, 5, {"du mage", "du prisme", "de l'arcane", "de l'astrologue"}},
        {"Détection des pièges", S::Sight, 4, {"du voleur", "du fil tendu", "de l'éclaireur", "du sapeur"}},
        {"Détection de l'invisible", S::Sight, 4, {"de vérité", "du voile levé", "du clairvoyant"}},
        {"Détection des trésors", S::Sight, 4, {"du chercheur d'or", "de la pie", "du dragon", "de l'avare"}},
        {"Clairvoyance", S::Sight, 4, {"du voyant", "de la sibylle", "du lac", "de l'oracle"}},
        {"Divination", S::Sight, 4, {"des augures", "des runes", "des osselets", "des étoiles"}},
        {"Communication avec les morts", S::Sight, 3, {"de la tombe", "du nécromant", "des murmures", "de l'ossuaire"}},
        {"Compréhension des langues", S::Sight, 3, {"du scribe", "des langues", "du voyageur", "de l'interprète"}},
        {"Langage des animaux", S::Sight, 3, {"du druide", "de la forêt", "des oiseaux", "du berger"}},
        {"Identification des objets", S::Sight, 4, {"de l'antiquaire", "de la loupe", "du sage", "du marchand"}},
        // ---- craft and wards
        {"Ouverture des serrures", S::Craft, 5, {"du voleur", "de la clé", "du crochet", "du serrurier"}, {{"Clé", 'f'}, {"Mot", 'm'}, {"Doigts", 'M'}, {"Secret", 'm'}, {"Murmure", 'm'}}},
        {"Verrouillage magique", S::Craft, 3, {"du geôlier", "de fer", "de la porte close"}, {{"Sceau", 'm'}, {"Verrou", 'm'}, {"Mot", 'm'}, {"Clé", 'f'}}},
        {"Réparation d'objet", S::Craft, 3, {"de l'artisan", "du rétameur", "du forgeron", "de la colle"}},
        {"Création de nourriture", S::Craft, 3, {"du festin", "de l'ermite", "du boulanger", "de la moisson"}, {{"Table", 'f'}, {"Panier", 'm'}, {"Don", 'm'}, {"Corne", 'f'}}},
        {"Purification de l'eau", S::Craft, 3, {"de la source", "du puits", "de rosée"}},
        {"Feu de camp", S::Craft, 2, {"de la veillée", "du foyer", "des brindilles"}, {{"Flamme", 'f'}, {"Étincelle", 'f'}, {"Braise", 'f'}}},
        {"Alarme", S::Craft, 2, {"du veilleur", "de la cloche", "de l'oie"}, {{"Cloche", 'f'}, {"Cri", 'm'}, {"Œil", 'm'}}},
        {"Glyphe explosif", S::Craft, 3, {"du piège", "de poudre", "de fureur", "du sapeur"}},
        {"Piège magique", S::Craft, 3, {"du chasseur", "du filet", "du collet"}},
        {"Enchantement d'arme", S::Craft, 7, {"de la forge", "de la lame", "des runes", "du champion", "de l'armurier"}, {{"Lame", 'f'}, {"Tranchant", 'm'}, {"Fil", 'm'}, {"Rune", 'f'}, {"Marque", 'f'}, {"Baiser", 'm'}, {"Morsure", 'f'}}},
        {"Arme enflammée", S::Craft, 6, {"de braise", "de la forge", "de flamme", "du dragon"}, {{"Lame", 'f'}, {"Tranchant", 'm'}, {"Fil", 'm'}, {"Baiser", 'm'}, {"Morsure", 'f'}}},
        {"Arme de givre", S::Craft, 5, {"de givre", "de l'hiver", "de glace", "du nord"}, {{"Lame", 'f'}, {"Tranchant", 'm'}, {"Fil", 'm'}, {"Baiser", 'm'}, {"Morsure", 'f'}}},
        {"Arme foudroyante", S::Craft, 5, {"de l'orage", "de l'éclair", "du tonnerre"}, {{"Lame", 'f'}, {"Tranchant", 'm'}, {"Fil", 'm'}, {"Baiser", 'm'}, {"Morsure", 'f'}}},
        {"Flèches magiques", S::Craft, 6, {"de l'archer", "du carquois", "de l'étoile", "du chasseur"}, {{"Flèche", 'f'}, {"Trait", 'm'}, {"Carreau", 'm'}, {"Pointe", 'f'}, {"Volée", 'f'}}},
        {"Dissipation de la magie", S::Craft, 6, {"du vide", "de l'abjurateur", "du silence", "de rupture"}},
        {"Contresort", S::Craft, 4, {"de rupture", "du contre-mage", "du miroir", "du refus"}},
        {"Ancrage dimensionnel", S::Craft, 2, {"de l'ancre", "de pierre", "de l'axe"}},
        // ---- nature and walls
        {"Mur de pierre", S::Nature, 4, {"de roc", "de la carrière", "du rempart", "des montagnes"}, {{"Mur", 'm'}, {"Rempart", 'm'}, {"Muraille", 'f'}, {"Bastion", 'm'}}},
        {"Mur de feu", S::Nature, 5, {"de l'incendie", "de cendre", "des braises", "du volcan"}, {{"Mur", 'm'}, {"Rideau", 'm'}, {"Muraille", 'f'}, {"Cercle", 'm'}}},
        {"Mur de glace", S::Nature, 4, {"de la banquise", "de givre", "du glacier"}, {{"Mur", 'm'}, {"Rempart", 'm'}, {"Muraille", 'f'}}},
        {"Brouillard", S::Nature, 4, {"de brume", "du marais", "de l'aube grise", "de la lande"}},
        {"Tempête", S::Nature, 5, {"de l'orage", "du tonnerre", "de l'ouragan", "des mers"}},
        {"Tremblement de terre", S::Nature, 3, {"de la terre", "du titan", "des profondeurs"}},
        {"Contrôle du climat", S::Nature, 2, {"des saisons", "du ciel", "des vents"}},
        {"Croissance des plantes", S::Nature, 3, {"du printemps", "de sève", "du jardinier", "des semailles"}},
        {"Épines", S::Nature, 4, {"des ronces", "d'aubépine", "du chardon", "de l'acacia"}, {{"Manteau", 'm'}, {"Peau", 'f'}, {"Couronne", 'f'}, {"Haie", 'f'}}},
        // ---- movement and shapes
        {"Invisibilité", S::Move, 7, {"de l'ombre", "du fantôme", "du voile", "de brume", "de la nuit"}, {{"Manteau", 'm'}, {"Voile", 'm'}, {"Pas", 'M'}, {"Cape", 'f'}, {"Souffle", 'm'}}},
        {"Camouflage", S::Move, 4, {"du caméléon", "des feuilles", "de brume", "du chasseur"}},
        {"Pas feutrés", S::Move, 4, {"du chat", "du voleur", "de velours", "de la nuit"}},
        {"Lévitation", S::Move, 5, {"de plume", "du nuage", "de la brise", "du chardon"}},
        {"Marche sur l'eau", S::Move, 3, {"du pêcheur", "de la libellule", "du héron"}},
        {"Respiration aquatique", S::Move, 4, {"du poisson", "de la loutre", "des profondeurs", "du noyé"}},
        {"Téléportation", S::Move, 6, {"du portail", "de l'éclair", "du passage", "des étoiles"}},
        {"Rappel au sanctuaire", S::Move, 4, {"du pèlerin", "du retour", "du foyer", "de l'abbaye"}},
        {"Portail", S::Move, 4, {"de l'arche", "du seuil", "des mondes", "de la porte"}},
        {"Vol", S::Move, 4, {"de l'aigle", "du vent", "du griffon", "des nuées"}},
        {"Métamorphose", S::Move, 4, {"du loup", "du corbeau", "de l'ours", "du cerf"}, {{"Forme", 'f'}, {"Peau", 'f'}, {"Visage", 'm'}, {"Chair", 'f'}, {"Âme", 'f'}}},
        {"Agrandissement", S::Move, 3, {"du géant", "du chêne", "de la montagne"}, {{"Forme", 'f'}, {"Stature", 'f'}, {"Taille", 'f'}}},
        {"Rapetissement", S::Move, 2, {"de la souris", "de la fourmi", "du roitelet"}, {{"Forme", 'f'}, {"Taille", 'f'}, {"Pas", 'M'}}},
        {"Illusion", S::Move, 5, {"du mirage", "du songe", "de fumée", "du bateleur"}, {{"Voile", 'm'}, {"Danse", 'f'}, {"Songe", 'm'}, {"Masque", 'm'}, {"Reflet", 'm'}, {"Jeu", 'm'}}},
        {"Projection astrale", S::Move, 2, {"de l'esprit", "des étoiles", "du rêve"}},
        {"Voyage par les ombres", S::Move, 3, {"de l'ombre", "du crépuscule", "de la nuit"}},
        // ---- summoning and soul
        {"Invocation d'un familier", S::Summon, 4, {"du familier", "de l'hermine", "du corbeau", "du chat noir"}},
        {"Élémentaire de feu", S::Summon, 4, {"du brasier", "du volcan", "des braises"}},
        {"Élémentaire d'eau", S::Summon, 3, {"de la marée", "du torrent", "de la source"}},
        {"Élémentaire de terre", S::Summon, 3, {"du roc", "de l'argile", "de la montagne"}},
        {"Élémentaire d'air", S::Summon, 3, {"du vent", "de la nuée", "de l'ouragan"}},
        {"Invocation de squelettes", S::Summon, 4, {"de l'ossuaire", "de la tombe", "des os"}},
        {"Animation des morts", S::Summon, 4, {"du nécromant", "du cimetière", "des tombes"}},
        {"Invocation d'un loup", S::Summon, 3, {"de la meute", "de la forêt", "de la lune"}},
        {"Esprit protecteur", S::Summon, 4, {"des ancêtres", "du gardien", "du foyer"}},
        {"Lien spirituel", S::Summon, 3, {"de l'âme", "du serment", "du cœur"}},
        {"Sacrifice", S::Summon, 2, {"du sang", "du martyr", "de l'autel"}},
    };
    return defs;
}

const std::vector<SpellAdjective>& SpellAdjectives() {
    static const std::vector<SpellAdjective> adj = {
        {"mineur", "mineure", "mineurs", "mineures"},       {"majeur", "majeure", "majeurs", "majeures"},
        {"ancien", "ancienne", "anciens", "anciennes"},     {"supérieur", "supérieure", "supérieurs", "supérieures"},
        {"sacré", "sacrée", "sacrés", "sacrées"},           {"véritable", "véritable", "véritables", "véritables"}};
    return adj;
}

const VendorWords& VendorVocabulary() {
    static const VendorWords w = {
        // first names (m)
        {"Orvède", "Bérold", "Thébrand", "Aldéric", "Gaëtan", "Hérold", "Isembart", "Léonce", "Mérovin", "Norbéric",
         "Osmond", "Pérégrin", "Rémold", "Séverin", "Tancrède", "Ulric", "Valérien", "Yvrin", "Anselme", "Célestin",
         "Dorimond", "Évrard", "Florestan", "Guérin", "Jehan", "Lothaire", "Maugis", "Ogier", "Raymbaud", "Théodric"},
        // first names (f)
        {"Ysaline", "Amélise", "Cérène", "Isaude", "Héloïse", "Bérangère", "Clémence", "Doriane", "Églantine",
         "Fréjeanne", "Gisèle", "Hermance", "Iseult", "Jacinthe", "Léonore", "Mahaut", "Noémie", "Ombeline",
         "Pétronille", "Roseline", "Sidonie", "Tiphaine", "Ursule", "Violaine", "Aélis", "Blanchefleur", "Ermengarde",
         "Floriane", "Gwenaëlle", "Mélisende"},
        // titles (m, f)
        {"Maître", "Frère", "Père", "Messire", "Vieux", "Sire"},
        {"Maîtresse", "Sœur", "Mère", "Dame", "Vieille", "Demoiselle"},
        // epithets (m, f)
        {"l'Enlumineur", "le Borgne", "des Marais", "le Bègue", "l'Alchimiste", "le Relieur", "le Doreur",
         "aux Mains Bleues", "le Vieux", "l'Apothicaire", "à la Lanterne", "le Sourcier", "le Cartomancien",
         "de la Tour Grise", "le Souffleur de verre", "aux Cent Fioles", "le Rebouteux", "le Taciturne"},
        {"la Tisserande", "la Rousse", "l'Alchimiste", "la Chouette", "la Sage-femme", "des Marais", "à la Lanterne",
         "l'Herboriste", "la Devineresse", "aux Mains Bleues", "la Relieuse", "la Sourcière", "de la Tour Grise",
         "aux Cent Fioles", "la Muette", "l'Enlumineuse"},
        // positions in a place
        {"près du puits", "sur la place du marché", "derrière le temple", "à l'auberge", "au pied de la tour",
         "sous les arcades", "près de la porte nord", "près de la porte sud", "au bord du lac", "dans la tour du mage",
         "au port, quai est", "dans la bibliothèque", "à la sortie ouest", "près du pont", "dans la vieille chapelle",
         "au sommet de la colline", "dans la cave de l'alchimiste", "à côté de la forge", "dans le jardin des herbes",
         "au campement des nomades", "près de la fontaine", "dans la crypte", "sur les remparts", "au moulin",
         "à l'orée du bois", "dans l'observatoire", "au phare", "dans la maison aux volets bleus", "chez le relieur",
         "devant l'hôtel de ville", "dans le cloître", "au carrefour", "sous le grand chêne", "dans les ruines",
         "près des écuries", "au marché aux poissons", "au bout de la jetée", "dans la grotte",
         "chez l'apothicaire", "au dernier étage de la tour", "dans l'échoppe verte", "à la foire du printemps",
         "dans le souterrain", "près du lavoir", "au cimetière", "dans la cour du château", "au bac",
         "sur le vieux pont", "au fond de la taverne", "au cercle de pierres"},
    };
    return w;
}

}  // namespace wg2
